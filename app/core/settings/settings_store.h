#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/file_writer.h"
#include "platform/ini_file.h"

// The settings file of the program (Config/Config.ini). Open and Close count: the file is read
// at the first Open and let go at the last Close. Every value is read with a default and every
// write reaches the file at once.
class TSettingsStore {
 public:
  explicit TSettingsStore(TFileWriter& writer) : Batch_(writer) {}

  const std::string& FileName() const { return FileName_; }
  void SetFileName(const std::string& fileName) { FileName_ = fileName; }

  // The first Open reads the file (a missing file is an empty one; one that cannot be read raises
  // EFileReadError and the store stays closed).
  void Open();
  void Close();
  bool IsOpen() const { return File_ != nullptr; }

  // Read and written while open; reading while closed gives the default, writing raises.
  std::string ReadString(const std::string& section, const std::string& key, const std::string& defaultValue) const;
  // A text that is not a whole number in 32 bits gives the default.
  int ReadInteger(const std::string& section, const std::string& key, int defaultValue) const;
  // True exactly when the text starts with "1".
  bool ReadBoolean(const std::string& section, const std::string& key, bool defaultValue) const;
  void WriteString(const std::string& section, const std::string& key, const std::string& value);
  void WriteInteger(const std::string& section, const std::string& key, int value);
  void WriteBoolean(const std::string& section, const std::string& key, bool value);
  // The writes the function makes reach the file as one replacement: all of them, or, when the
  // replacement fails (it raises), none, and the store holds what the file holds.
  void WriteTogether(const std::function<void()>& writes);

 private:
  // Passes each replacement of the file on, or holds the last one while writes are put together.
  class TBatchWriter : public TFileWriter {
   public:
    explicit TBatchWriter(TFileWriter& target) : Target(target) {}
    using TFileWriter::ReplaceFile;
    void ReplaceFile(const std::string& path, std::string_view contents, TFileAccess access) override;

    TFileWriter& Target;
    bool Holding = false;
    std::optional<std::string> Pending;
  };

  TBatchWriter Batch_;
  std::string FileName_;
  int OpenCount_ = 0;
  std::unique_ptr<TIniFile> File_;
};

// The whole number a settings text holds: decimal with an optional sign, or hexadecimal after "$"
// or "0x"; nothing for anything else or a number outside 32 bits.
std::optional<int> ParseSettingsInteger(const std::string& text);
