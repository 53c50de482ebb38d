#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/file_writer.h"

// Writes files for real through the atomic writer, counts every write per file, and fails on
// request: the way tests see how often and what the program writes.
class TRecordingFileWriter : public TFileWriter {
 public:
  TRecordingFileWriter() : Real_(std::make_unique<TAtomicFileWriter>()) {}
  // Writes through these system calls from now on (to make one step of the writing fail).
  void UseCalls(TFileSystemCalls& calls) { Real_ = std::make_unique<TAtomicFileWriter>(calls); }

  using TFileWriter::ReplaceFile;
  void ReplaceFile(const std::string& path, std::string_view contents, TFileAccess access) override;

  // How many times the file was written (successfully or not).
  int WritesOf(const std::string& path) const;
  int TotalWrites() const { return static_cast<int>(Written.size()); }

  // While set, every write raises EFileWriteError and leaves the file as it was.
  bool Fail = false;
  std::vector<std::string> Written;  // the paths, in order

 private:
  std::unique_ptr<TAtomicFileWriter> Real_;
};
