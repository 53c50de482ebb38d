#pragma once

#include "tools/koret_cli/cli_context.h"

// The sync command of this build: it needs the desktop libraries (the server's transport and the
// keyring), so a build without them has none.
TCliCommand DesktopSyncCommand();
