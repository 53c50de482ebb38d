#include "app/core/skin/skin_paths.h"

#include "platform/ascii_text.h"

std::string SkinsFolder(const std::string& programFolder) {
  std::string folder = programFolder;
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  return folder + "/Skins";
}

std::string SkinPathFromSetting(const std::string& programFolder, const std::string& setting) {
  const std::string name(TrimBlanksAscii(setting));
  if (name.empty() || name.front() == '/') return name;
  return SkinsFolder(programFolder) + "/" + name;
}

std::string SkinSettingFromPath(const std::string& programFolder, const std::string& path) {
  const std::string folder = SkinsFolder(programFolder) + "/";
  const std::string name(TrimBlanksAscii(path));
  if (name.size() > folder.size() && name.compare(0, folder.size(), folder) == 0) return name.substr(folder.size());
  return name;
}
