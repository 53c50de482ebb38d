#pragma once

#include <string>
#include <string_view>

#include "model/contact.h"

// Writing a contact as an address-book card.

enum TVpVCardVersion { vvVersion30, vvVersion40 };

// The contact as one card ending in CR LF: its fields the way MapVCardToContact reads them back,
// the UID given, properties in a fixed order, lines folded at 75 bytes between whole UTF-8
// characters. 3.0 is what most address books read; 4.0 on request.
std::string WriteVCard(const TVpContact& contact, std::string_view uid, TVpVCardVersion version = vvVersion30);
