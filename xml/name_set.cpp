#include "xml/name_set.h"

namespace {

constexpr std::size_t kInitialSlots = 64;

std::uint64_t HashOf(std::string_view name) {
  std::uint64_t hash = 14695981039346656037ull;  // 64-bit FNV-1a
  for (const char c : name) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 1099511628211ull;
  }
  return hash;
}

}  // namespace

TVpNameSet::TVpNameSet() : Slots_(kInitialSlots) {}

void TVpNameSet::Clear() {
  Count_ = 0;
  if (++Generation_ == 0) {  // after 2^32 clears the stamps could repeat: wipe them once
    for (TSlot& slot : Slots_) slot.Generation = 0;
    Generation_ = 1;
  }
}

bool TVpNameSet::Insert(std::string_view Name) {
  if ((Count_ + 1) * 2 > Slots_.size()) Grow();
  const std::uint64_t hash = HashOf(Name);
  const std::size_t mask = Slots_.size() - 1;
  for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
    TSlot& slot = Slots_[i];
    if (slot.Generation != Generation_) {
      slot = {Name, hash, Generation_};
      ++Count_;
      return true;
    }
    if (slot.Hash == hash && slot.Name == Name) return false;
  }
}

void TVpNameSet::Grow() {
  std::vector<TSlot> old(Slots_.size() * 2);
  old.swap(Slots_);
  const std::size_t mask = Slots_.size() - 1;
  for (const TSlot& slot : old) {
    if (slot.Generation != Generation_) continue;
    std::size_t i = slot.Hash & mask;
    while (Slots_[i].Generation == Generation_) i = (i + 1) & mask;
    Slots_[i] = slot;
  }
}
