#pragma once

// The desktop services of a program without a desktop live in the store layer, where the
// organizer's background sync takes them too.
#include "store/headless_services.h"
