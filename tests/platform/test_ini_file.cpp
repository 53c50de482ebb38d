#include <gtest/gtest.h>

#include "platform/ini_file.h"
#include "tests/support/recording_file_writer.h"
#include "tests/support/temporary_folder.h"

namespace {

class IniFile : public ::testing::Test {
 protected:
  std::string Path() const { return Folder_.File("Config.ini"); }
  TIniFile Load(const std::string& text) {
    TTemporaryFolder::Write(Path(), text);
    return TIniFile(Path(), Writer_);
  }

  TTemporaryFolder Folder_;
  TRecordingFileWriter Writer_;
};

TEST_F(IniFile, ReadsSectionsAndKeysWhateverTheirCase) {
  const TIniFile ini = Load(
      "\xEF\xBB\xBF; written by hand\r\n"
      "orphan=before any section\r\n"
      "[General]\r\n"
      "Width=640\r\n"
      "  height = 480  \r\n"
      "[skin]\r\n"
      "Filename=Blue.skn\r\n"
      "[GENERAL]\r\n"
      "Width=1\r\n");
  const std::tuple<const char*, const char*, std::optional<std::string>> cases[] = {
      {"General", "Width", "640"},                                        // the first of two equal sections counts
      {"general", "WIDTH", "640"},         {"General", "Height", "480"},  // blanks around names and values are dropped
      {"Skin", "FileName", "Blue.skn"},                                   // written as "Filename", read as "FileName"
      {"General", "orphan", std::nullopt}, {"Missing", "Width", std::nullopt}, {"General", "Missing", std::nullopt},
  };
  for (const auto& [section, key, expected] : cases) {
    SCOPED_TRACE(std::string(section) + "/" + key);
    EXPECT_EQ(ini.Read(section, key), expected);
  }
}

TEST_F(IniFile, AMissingFileIsEmptyAndTheFirstWriteCreatesIt) {
  TIniFile ini(Path(), Writer_);
  EXPECT_EQ(ini.Read("General", "Width"), std::nullopt);
  ini.Write("General", "Width", "500");
  EXPECT_EQ(TTemporaryFolder::Read(Path()), "[General]\nWidth=500\n");
}

TEST_F(IniFile, WritesKeepEverythingElseAsItWas) {
  TIniFile ini = Load(
      "\xEF\xBB\xBF; settings\r\n"
      "[General]\r\n"
      "Width=640\r\n"
      "# a comment between keys\r\n"
      "Height=480\r\n"
      "\r\n"
      "[Daily]\r\n"
      "Gran=5\r\n");
  ini.Write("general", "width", "800");  // the stored spelling of names is kept
  ini.Write("General", "ActTab", "2");   // a new key goes after the section's last key
  ini.Write("Calendar", "Left", "370");  // a new section goes at the end
  EXPECT_EQ(TTemporaryFolder::Read(Path()),
            "\xEF\xBB\xBF; settings\r\n"
            "[General]\r\n"
            "Width=800\r\n"
            "# a comment between keys\r\n"
            "Height=480\r\n"
            "ActTab=2\r\n"
            "\r\n"
            "[Daily]\r\n"
            "Gran=5\r\n"
            "[Calendar]\r\n"
            "Left=370\r\n");
  EXPECT_EQ(Writer_.WritesOf(Path()), 3) << "every write reaches the file at once";
}

// The settings of a file, with its line ends (E) and its Width.
std::string Settings8(const std::string& e, const std::string& width) {
  return "[General]" + e + "Name=Zo\u00eb \U0001F600" + e + "Width=" + width + e + "Height=480" + e;
}
std::u16string Settings16(const std::u16string& e, const std::u16string& width) {
  return u"[General]" + e + u"Name=Zo\u00eb \U0001F600" + e + u"Width=" + width + e + u"Height=480" + e;
}
// The UTF-16 file of a text, with its byte-order mark, as the compiler encodes the text.
std::string Utf16File(const std::u16string& text, bool bigEndian) {
  std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
  for (const char16_t unit : text) {
    const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
    bytes += bigEndian ? high : low;
    bytes += bigEndian ? low : high;
  }
  return bytes;
}

// A file in any of the encodings and line-end styles is read whole and written back in its own.
TEST_F(IniFile, KeepsTheEncodingAndLineEndsOfTheFile) {
  const std::string bom = "\xEF\xBB\xBF";
  const struct {
    const char* Name;
    std::string Before;
    std::string After;  // once Width is 800
  } cases[] = {
      {"LF", Settings8("\n", "640"), Settings8("\n", "800")},
      {"CR LF", Settings8("\r\n", "640"), Settings8("\r\n", "800")},
      {"CR", Settings8("\r", "640"), Settings8("\r", "800")},
      {"UTF-8 with a byte-order mark", bom + Settings8("\r\n", "640"), bom + Settings8("\r\n", "800")},
      {"mixed, written with the first", "[General]\r\nName=Zo\u00eb \U0001F600\nWidth=640\rHeight=480",
       Settings8("\r\n", "800")},
      {"UTF-16 LE", Utf16File(Settings16(u"\r\n", u"640"), false), Utf16File(Settings16(u"\r\n", u"800"), false)},
      {"UTF-16 BE", Utf16File(Settings16(u"\n", u"640"), true), Utf16File(Settings16(u"\n", u"800"), true)},
      {"UTF-16 LE, CR", Utf16File(Settings16(u"\r", u"640"), false), Utf16File(Settings16(u"\r", u"800"), false)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    TIniFile ini = Load(c.Before);
    EXPECT_EQ(ini.Read("General", "Name"), "Zo\u00eb \U0001F600");
    EXPECT_EQ(ini.Read("General", "Height"), "480");
    ini.Write("General", "Width", "800");
    EXPECT_EQ(TTemporaryFolder::Read(Path()), c.After);
  }
}

TEST_F(IniFile, AnUndecodableUtf16UnitIsReadAsAReplacementCharacter) {
  // "K=" and a low surrogate without its high one, then a line; and an odd last byte.
  const std::string lowSurrogate("\x00\xDC", 2);
  const TIniFile ini = Load(Utf16File(u"[A]\nK=", false) + lowSurrogate + Utf16File(u"x\nL=y", false).substr(2) + "z");
  EXPECT_EQ(ini.Read("A", "K"), "\uFFFDx");
  EXPECT_EQ(ini.Read("A", "L"), "y\uFFFD");
}

TEST_F(IniFile, ValuesComeBackAsTheyWereWritten) {
  TIniFile ini(Path(), Writer_);
  const std::pair<const char*, const char*> cases[] = {
      {"plain", "MS Sans Serif"}, {"quoted", "\"Home\""},    // would otherwise lose its quotes
      {"single", "'x'"},          {"blanks", "  padded  "},  // would otherwise lose its blanks
      {"equals", "a=b"},          {"empty", ""},
      {"utf8", "Ärzte & Co"},     {"negative", "-16777201"},
  };
  for (const auto& [key, value] : cases) ini.Write("Values", key, value);
  const TIniFile reread(Path(), Writer_);
  for (const auto& [key, value] : cases) {
    SCOPED_TRACE(key);
    EXPECT_EQ(reread.Read("Values", key), value);
  }
}

TEST_F(IniFile, LineBreaksInAValueCannotInjectKeys) {
  TIniFile ini(Path(), Writer_);
  ini.Write("General", "ActiveResource", "Home\r\n[General]\nStartMinimized=1");
  const TIniFile reread(Path(), Writer_);
  EXPECT_EQ(reread.Read("General", "ActiveResource"), "Home[General]StartMinimized=1");
  EXPECT_EQ(reread.Read("General", "StartMinimized"), std::nullopt);
}

TEST_F(IniFile, AFailedWriteRaisesAndChangesNothing) {
  TIniFile ini = Load("[General]\nWidth=640\n");
  Writer_.Fail = true;
  EXPECT_THROW(ini.Write("General", "Width", "800"), EFileWriteError);
  EXPECT_EQ(ini.Read("General", "Width"), "640");
  EXPECT_EQ(TTemporaryFolder::Read(Path()), "[General]\nWidth=640\n");
}

TEST_F(IniFile, AnUnreadableFileIsReportedWithItsName) {
  std::filesystem::create_directory(Path());  // a folder where the file should be
  try {
    TIniFile ini(Path(), Writer_);
    FAIL() << "no error";
  } catch (const EFileReadError& e) {
    EXPECT_NE(std::string(e.what()).find("Config.ini"), std::string::npos) << e.what();
  }
}

}  // namespace
