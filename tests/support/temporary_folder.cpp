#include "tests/support/temporary_folder.h"

#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <system_error>

#include "platform/file_reader.h"

TTemporaryFolder::TTemporaryFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "koret-test-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot create a temporary folder");
  Path_ = pattern;
}

TTemporaryFolder::~TTemporaryFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(Path_, ignored);
}

std::string TTemporaryFolder::Read(const std::string& path) {
  std::optional<std::string> contents = ReadWholeFile(path);
  if (!contents) throw std::runtime_error("cannot read " + path + ": no such file");
  return std::move(*contents);
}

void TTemporaryFolder::Write(const std::string& path, const std::string& contents) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << contents;
  if (!out) throw std::runtime_error("cannot write " + path);
}
