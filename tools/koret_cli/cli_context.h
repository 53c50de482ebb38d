#pragma once

#include <functional>
#include <iosfwd>
#include <map>
#include <stdexcept>
#include <string>

#include "interop/exchange/exchange_session.h"
#include "platform/file_writer.h"
#include "platform/system_clock.h"
#include "tools/koret_cli/headless_services.h"
#include "tools/koret_cli/pdf_maker.h"

// A command line that cannot be carried out as written (exit code 2).
struct EUsage : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// The options after the command's name by name without "--"; a flag's value is empty.
using TCliOptions = std::map<std::string, std::string>;

struct TCliContext;
// A command that the desktop build adds; empty in a build without it.
using TCliCommand = std::function<int(const TCliContext& context, std::ostream& out)>;

// What a command works with.
struct TCliContext {
  std::string ProgramFolder;
  std::string DataFolder;
  std::string File;  // the file a command works on, named before the options
  TCliOptions Options;
  const TPdfMaker& Pdf;
  const TCliCommand& Sync;
  std::ostream& Err;
};

// The option's value; raises EUsage when it is not given.
const std::string& Required(const TCliOptions& options, const std::string& name);

// The organizer's settings file for the data folder: Config/Config.ini beside it.
std::string SettingsFileFor(const TCliContext& context);

// The resource asked for with --resource; else the one the organizer last showed (its settings),
// else "KORET", else the first. Nothing when there are no resources; raises for an unknown name.
TVpResource* ChooseResource(TVpFlexDataStore& store, const TCliContext& context);

// A file writer whose warnings (a change written that may not survive a power loss) go to the
// command's standard error: the command still succeeds, as the change was made.
TAtomicFileWriter CliWriter(std::ostream& err);

// The target of import, export and sync: the data folder and its chosen resource, with headless
// services.
struct TCliExchange {
  explicit TCliExchange(const TCliContext& context);
  TSystemClock Clock;
  THeadlessDesktop Desktop;
  TAtomicFileWriter Writer;
  TVpExchangeTarget Target;
};
