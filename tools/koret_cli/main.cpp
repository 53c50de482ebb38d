#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "platform/program_folder.h"
#include "tools/koret_cli/cli_commands.h"

namespace {

// Printing and syncing need the desktop libraries, which take longer to load than most commands
// take to run: those two commands run in the desktop helper beside this program (in a build with
// the desktop libraries), every other one here.
bool NeedsTheDesktop(const char* command) {
  return std::strcmp(command, "print") == 0 || std::strcmp(command, "sync") == 0;
}

}  // namespace

int main(int argc, char* argv[]) {
#ifdef KORET_CLI_DESKTOP_HELPER
  if (argc > 1 && NeedsTheDesktop(argv[1])) {
    const std::string helper = ExecutableFolder() + "/" KORET_CLI_DESKTOP_HELPER;
    ::execv(helper.c_str(), argv);
    std::cerr << "koret-cli: Error: cannot start \"" << helper << "\": " << std::strerror(errno) << '\n';
    return 1;
  }
#else
  (void)NeedsTheDesktop;
#endif
  return RunKoretCli(std::vector<std::string>(argv + 1, argv + argc), ExecutableFolder(), std::cout, std::cerr, {}, {});
}
