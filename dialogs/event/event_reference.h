#pragma once

#include "dialogs/common/record_reference.h"

// An event found again after a modal window ran (see TVpRecordReference).
using TVpEventReference = TVpRecordReference<TVpEvent>;
