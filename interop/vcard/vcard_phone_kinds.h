#pragma once

#include <string>
#include <string_view>

#include "interop/vcard/vcard_reader.h"

// A contact's phone kinds (the PhoneTypeCaption codes) and the types of a card's TEL property.

// The kind of a TEL property from its types, or from the label a group gives it ("item2.X-ABLabel")
// when the label names a kind. Without a kind of its own a number is "Other".
int PhoneKindOfProperty(const TVpVCardProperty& tel, std::string_view groupLabel);

// The TYPE values that write the kind, such as "WORK,FAX"; empty for "Other".
std::string PhoneTypesOfKind(int kind);
