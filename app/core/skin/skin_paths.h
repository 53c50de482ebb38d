#pragma once

#include <string>

// How the settings name the skin file: a skin of the program folder's Skins/ by its file name
// alone, any other skin by its full path.

// The program folder's Skins folder (no '/' at its end).
std::string SkinsFolder(const std::string& programFolder);
// The path of the skin file the settings name (blanks around it do not count); empty for none.
std::string SkinPathFromSetting(const std::string& programFolder, const std::string& setting);
// The setting that names the skin file at path.
std::string SkinSettingFromPath(const std::string& programFolder, const std::string& path);
