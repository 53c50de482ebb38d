#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/ini_file.h"

namespace {

class TDiscardingWriter : public TFileWriter {
 public:
  using TFileWriter::ReplaceFile;
  void ReplaceFile(const std::string&, std::string_view, TFileAccess) override {}
};

}  // namespace

// Any bytes read as a settings file; reading and writing keys must keep working on them.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TDiscardingWriter writer;
  TIniFile ini("Config.ini", writer, std::string_view(reinterpret_cast<const char*>(data), size));
  (void)ini.Read("General", "Width");
  ini.Write("General", "Width", "500");
  if (ini.Read("General", "Width") != "500") __builtin_trap();
  return 0;
}
