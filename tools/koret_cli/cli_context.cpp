#include "tools/koret_cli/cli_context.h"

#include <filesystem>
#include <ostream>

#include "platform/error_text.h"
#include "platform/ini_file.h"

const std::string& Required(const TCliOptions& options, const std::string& name) {
  const auto found = options.find(name);
  if (found == options.end()) throw EUsage("--" + name + " is required");
  return found->second;
}

std::string SettingsFileFor(const TCliContext& context) {
  return (std::filesystem::path(context.DataFolder).parent_path() / "Config/Config.ini").string();
}

TVpResource* ChooseResource(TVpFlexDataStore& store, const TCliContext& context) {
  TVpResources& resources = store.Resources();
  if (const auto named = context.Options.find("resource"); named != context.Options.end()) {
    TVpResource* resource = resources.FindResourceByName(named->second);
    if (resource == nullptr) throw std::runtime_error("no resource is named \"" + ValueExcerpt(named->second) + "\"");
    return resource;
  }
  TAtomicFileWriter unused;
  const auto last = TIniFile(SettingsFileFor(context), unused).Read("General", "ActiveResource");
  if (TVpResource* resource = resources.FindResourceByName(last.value_or("KORET"))) return resource;
  return resources.Count() > 0 ? resources.Items(0) : nullptr;
}

TAtomicFileWriter CliWriter(std::ostream& err) {
  TAtomicFileWriter writer;
  writer.SetOnWarning([&err](const std::string& message) { err << "koret-cli: warning: " << message << '\n'; });
  return writer;
}

TCliExchange::TCliExchange(const TCliContext& context)
    : Writer(CliWriter(context.Err)),
      Target{context.DataFolder, TVpStoreServices{Clock, Desktop, Desktop, Desktop, Desktop, Desktop},
             [&context](TVpFlexDataStore& store) { return ChooseResource(store, context); }} {}
