#include <iostream>
#include <string>
#include <vector>

#include "platform/program_folder.h"
#include "tools/koret_cli/cli_commands.h"

int main(int argc, char* argv[]) {
  return RunKoretCli(std::vector<std::string>(argv + 1, argv + argc), ExecutableFolder(), std::cout, std::cerr);
}
