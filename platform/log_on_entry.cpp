#include "platform/log_on_entry.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

std::string TAutostartEntry::DefaultFileName() {
  const char* config = std::getenv("XDG_CONFIG_HOME");
  std::string folder;
  if (config != nullptr && config[0] == '/') {
    folder = config;
  } else {
    const char* home = std::getenv("HOME");
    folder = std::string(home != nullptr ? home : "") + "/.config";
  }
  return folder + "/autostart/koret.desktop";
}

std::string DesktopExecValue(const std::string& executable) {
  std::string quoted = "\"";
  for (const char c : executable) {
    if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
    quoted += c;
  }
  quoted += '"';
  std::string value;
  for (const char c : quoted) {
    switch (c) {
      case '%': value += "%%"; break;
      case '\\': value += "\\\\"; break;
      case '\n': value += "\\n"; break;  // a line break would end the key
      case '\r': value += "\\r"; break;
      case '\t': value += "\\t"; break;
      default: value += c;
    }
  }
  return value;
}

void TAutostartEntry::Set(const std::string& executable) {
  std::error_code error;
  std::filesystem::create_directories(std::filesystem::path(FileName_).parent_path(), error);
  if (error) throw EFileWriteError("Unable to write \"" + FileName_ + "\" (making its folder): " + error.message());
  Writer_.ReplaceFile(FileName_,
                      "[Desktop Entry]\n"
                      "Type=Application\n"
                      "Name=Koret Organizer\n"
                      "Exec=" +
                          DesktopExecValue(executable) +
                          "\n"
                          "Icon=koret\n"
                          "Terminal=false\n");
}

void TAutostartEntry::Remove() {
  if (std::remove(FileName_.c_str()) != 0 && errno != ENOENT)
    throw EFileWriteError("Unable to remove \"" + FileName_ + "\": " + std::strerror(errno));
}
