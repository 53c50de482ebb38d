#include "tools/koret_cli/sync_command.h"

TCliCommand DesktopSyncCommand() { return {}; }
