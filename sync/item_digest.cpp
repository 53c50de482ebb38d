#include "sync/item_digest.h"

#include <cstdio>

#include "platform/fnv_hash.h"

void TCanonicalDump::Add(std::string_view name, std::string_view value) {
  Text_.append(name);
  Text_ += '=';
  Text_ += std::to_string(value.size());
  Text_ += ':';
  Text_.append(value);
  Text_ += '\n';
}

std::string TCanonicalDump::Hash() const {
  char text[20];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(Fnv1a64(Text_)));
  return text;
}
