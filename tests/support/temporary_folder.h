#pragma once

#include <filesystem>
#include <string>

// A fresh folder below the system's temporary folder, removed with everything in it at the end.
class TTemporaryFolder {
 public:
  TTemporaryFolder();
  ~TTemporaryFolder();
  TTemporaryFolder(const TTemporaryFolder&) = delete;
  TTemporaryFolder& operator=(const TTemporaryFolder&) = delete;

  const std::filesystem::path& Path() const { return Path_; }
  std::string File(const std::string& relative) const { return (Path_ / relative).string(); }

  // Whole-file helpers for tests.
  static std::string Read(const std::string& path);
  static void Write(const std::string& path, const std::string& contents);

 private:
  std::filesystem::path Path_;
};
