#include "tests/support/recording_file_writer.h"

#include <algorithm>

void TRecordingFileWriter::ReplaceFile(const std::string& path, std::string_view contents, TFileAccess access) {
  Written.push_back(path);
  if (Fail) throw EFileWriteError("Unable to write \"" + path + "\" (write): simulated failure");
  Real_->ReplaceFile(path, contents, access);
}

int TRecordingFileWriter::WritesOf(const std::string& path) const {
  return static_cast<int>(std::count(Written.begin(), Written.end(), path));
}
