#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "interop/vcard/vcard_contact_reader.h"
#include "interop/vcard/vcard_contact_writer.h"

// Any bytes read as a card file and mapped onto contacts: a refusal is an EVpVCardError, and what
// the writer makes of each contact reads back as one card in both versions.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<TVpVCard> cards;
  try {
    cards = ReadVCards(std::string_view(reinterpret_cast<const char*>(data), size));
  } catch (const EVpVCardError&) {
    return 0;
  }
  for (const TVpVCard& card : cards) {
    TVpContact contact;
    const TVpVCardMapping mapping = MapVCardToContact(card, contact);
    for (const TVpVCardVersion version : {vvVersion30, vvVersion40}) {
      const std::vector<TVpVCard> again = ReadVCards(WriteVCard(contact, mapping.Uid, version));
      if (again.size() != 1) __builtin_trap();
      TVpContact copy;
      MapVCardToContact(again[0], copy);
    }
  }
  return 0;
}
