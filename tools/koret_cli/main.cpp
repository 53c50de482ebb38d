#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "tools/koret_cli/cli_commands.h"

int main(int argc, char* argv[]) {
  std::error_code error;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
  const std::string folder = error ? std::filesystem::current_path().string() : self.parent_path().string();
  return RunKoretCli(std::vector<std::string>(argv + 1, argv + argc), folder, std::cout, std::cerr);
}
