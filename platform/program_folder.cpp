#include "platform/program_folder.h"

#include <filesystem>

std::string ExecutableFolder() {
  std::error_code error;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::filesystem::current_path().string() : self.parent_path().string();
}
