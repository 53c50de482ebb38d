#include "xml/name_set.h"

#include <cstring>

#include "platform/fnv_hash.h"

namespace {

constexpr int kInitialBits = 6;

std::uint64_t HashOf(std::string_view name) {
  return Fnv1a64(name) * 0x9E3779B97F4A7C15ull;  // spreads the bits into the high ones, which pick the slot
}

template <typename TWord>
bool SameWordAt(std::string_view a, std::string_view b, std::size_t at) {
  TWord x;
  TWord y;
  std::memcpy(&x, a.data() + at, sizeof x);
  std::memcpy(&y, b.data() + at, sizeof y);
  return x == y;
}

// Whether two names are the same. Names are short: comparing them a word at a time, the last
// word overlapping the one before, costs less than a call of memcmp.
bool SameName(std::string_view a, std::string_view b) {
  const std::size_t size = a.size();
  if (size != b.size()) return false;
  if (size < 4) return a == b;
  if (size < 8) return SameWordAt<std::uint32_t>(a, b, 0) && SameWordAt<std::uint32_t>(a, b, size - 4);
  for (std::size_t at = 0; at + 8 < size; at += 8)
    if (!SameWordAt<std::uint64_t>(a, b, at)) return false;
  return SameWordAt<std::uint64_t>(a, b, size - 8);
}

}  // namespace

TVpNameSet::TVpNameSet() : Slots_(std::size_t{1} << kInitialBits), Shift_(64 - kInitialBits) {}

void TVpNameSet::Clear() {
  if (Hashed_) {
    Pattern_.swap(Names_);  // the names that left the pattern are the next tags' pattern
    for (const std::uint32_t slot : Used_) Slots_[slot] = TSlot{};
    Used_.clear();
    Hashed_ = false;
  }
  Names_.clear();
  PatternAt_ = 0;
}

std::size_t TVpNameSet::SlotFor(std::uint64_t hash) const { return static_cast<std::size_t>(hash >> Shift_); }

bool TVpNameSet::Insert(std::string_view name) {
  if (!Hashed_) {
    // The pattern only moves forward, so a tag costs at most one pass over it.
    while (PatternAt_ < Pattern_.size() && !SameName(Pattern_[PatternAt_], name)) ++PatternAt_;
    if (PatternAt_ < Pattern_.size()) {
      ++PatternAt_;
      Names_.push_back(name);
      return true;
    }
    StartHashing();
  }
  return InsertHashed(name);
}

// Puts the names so far, which are distinct, into the table.
void TVpNameSet::StartHashing() {
  Hashed_ = true;
  while ((Names_.size() + 1) * 2 > Slots_.size()) {
    Slots_.resize(Slots_.size() * 2);
    --Shift_;
  }
  PlaceNames();
}

bool TVpNameSet::InsertHashed(std::string_view name) {
  if ((Names_.size() + 1) * 2 > Slots_.size()) Grow();
  const std::uint64_t hash = HashOf(name);
  const auto check = static_cast<std::uint32_t>(hash);
  const std::size_t mask = Slots_.size() - 1;
  for (std::size_t i = SlotFor(hash);; i = (i + 1) & mask) {
    TSlot& slot = Slots_[i];
    if (slot.Name == 0) {
      Names_.push_back(name);
      slot = {check, static_cast<std::uint32_t>(Names_.size())};
      Used_.push_back(static_cast<std::uint32_t>(i));
      return true;
    }
    if (slot.Hash == check && SameName(Names_[slot.Name - 1], name)) return false;
  }
}

void TVpNameSet::Grow() {
  Slots_.assign(Slots_.size() * 2, TSlot{});
  --Shift_;
  PlaceNames();
}

// Fills the table, all of whose slots are free, with Names_.
void TVpNameSet::PlaceNames() {
  Used_.clear();
  const std::size_t mask = Slots_.size() - 1;
  for (std::size_t n = 0; n < Names_.size(); ++n) {
    const std::uint64_t hash = HashOf(Names_[n]);
    std::size_t i = SlotFor(hash);
    while (Slots_[i].Name != 0) i = (i + 1) & mask;
    Slots_[i] = {static_cast<std::uint32_t>(hash), static_cast<std::uint32_t>(n + 1)};
    Used_.push_back(static_cast<std::uint32_t>(i));
  }
}
