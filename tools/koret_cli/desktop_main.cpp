#include <iostream>
#include <string>
#include <vector>

#include "platform/program_folder.h"
#include "tools/koret_cli/cli_commands.h"
#include "tools/koret_cli/pdf_maker.h"
#include "tools/koret_cli/sync_command.h"

// koret-cli with the desktop libraries: the commands that need them (print, sync) run here,
// started by koret-cli.
int main(int argc, char* argv[]) {
  const TPdfMaker pdf = DesktopPdfMaker();
  const TCliCommand sync = DesktopSyncCommand();
  return RunKoretCli(std::vector<std::string>(argv + 1, argv + argc), ExecutableFolder(), std::cout, std::cerr, pdf,
                     sync);
}
