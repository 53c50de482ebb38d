#include "app/core/settings/settings_store.h"

#include <charconv>
#include <limits>
#include <stdexcept>

void TSettingsStore::Open() {
  if (OpenCount_ == 0) File_ = std::make_unique<TIniFile>(FileName_, Batch_);
  ++OpenCount_;
}

void TSettingsStore::Close() {
  if (OpenCount_ == 0) return;
  if (--OpenCount_ == 0) File_.reset();
}

std::string TSettingsStore::ReadString(const std::string& section, const std::string& key,
                                       const std::string& defaultValue) const {
  if (!File_) return defaultValue;
  return File_->Read(section, key).value_or(defaultValue);
}

int TSettingsStore::ReadInteger(const std::string& section, const std::string& key, int defaultValue) const {
  return ParseSettingsInteger(ReadString(section, key, std::to_string(defaultValue))).value_or(defaultValue);
}

bool TSettingsStore::ReadBoolean(const std::string& section, const std::string& key, bool defaultValue) const {
  const std::string text = ReadString(section, key, defaultValue ? "1" : "0");
  return !text.empty() && text[0] == '1';
}

void TSettingsStore::WriteString(const std::string& section, const std::string& key, const std::string& value) {
  if (!File_) throw std::logic_error("the settings file \"" + FileName_ + "\" is not open");
  File_->Write(section, key, value);
}

void TSettingsStore::WriteInteger(const std::string& section, const std::string& key, int value) {
  WriteString(section, key, std::to_string(value));
}

void TSettingsStore::WriteBoolean(const std::string& section, const std::string& key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

void TSettingsStore::TBatchWriter::ReplaceFile(const std::string& path, std::string_view contents, TFileAccess access) {
  if (Holding) Pending = std::string(contents);
  else Target.ReplaceFile(path, contents, access);
}

void TSettingsStore::WriteTogether(const std::function<void()>& writes) {
  if (!File_) throw std::logic_error("the settings file \"" + FileName_ + "\" is not open");
  Batch_.Holding = true;
  Batch_.Pending.reset();
  std::optional<std::string> contents;
  try {
    writes();
    contents = std::move(Batch_.Pending);
  } catch (...) {
    Batch_.Holding = false;
    File_ = std::make_unique<TIniFile>(File_->Path(), Batch_);
    throw;
  }
  Batch_.Holding = false;
  if (!contents) return;
  try {
    Batch_.Target.ReplaceFile(File_->Path(), *contents);
  } catch (...) {
    File_ = std::make_unique<TIniFile>(File_->Path(), Batch_);  // the values the file still holds
    throw;
  }
}

std::optional<int> ParseSettingsInteger(const std::string& text) {
  std::string_view digits = text;
  bool negative = false;
  if (!digits.empty() && (digits[0] == '-' || digits[0] == '+')) {
    negative = digits[0] == '-';
    digits.remove_prefix(1);
  }
  int base = 10;
  if (digits.substr(0, 1) == "$") {
    base = 16;
    digits.remove_prefix(1);
  } else if (digits.substr(0, 2) == "0x" || digits.substr(0, 2) == "0X") {
    base = 16;
    digits.remove_prefix(2);
  }
  if (digits.empty() || digits[0] == '-' || digits[0] == '+') return std::nullopt;
  long long value = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value, base);
  if (digits.empty() || error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
  if (negative) value = -value;
  // Hexadecimal values are 32-bit patterns ($FF00000F is a colour); decimal ones must fit.
  if (base == 16 && !negative && value <= 0xFFFFFFFFLL) return static_cast<int>(static_cast<unsigned>(value));
  if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max()) return std::nullopt;
  return static_cast<int>(value);
}
