#pragma once

// The IANA zone for one of the common Windows zone names ("W. Europe Standard Time"), or nullptr.
const char* IanaZoneOfWindowsName(const char* windowsName);
