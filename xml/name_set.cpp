#include "xml/name_set.h"

#include "platform/fnv_hash.h"

namespace {

constexpr int kInitialBits = 6;

std::uint64_t HashOf(std::string_view name) {
  return Fnv1a64(name) * 0x9E3779B97F4A7C15ull;  // spreads the bits into the high ones, which pick the slot
}

}  // namespace

TVpNameSet::TVpNameSet() : Slots_(std::size_t{1} << kInitialBits), Shift_(64 - kInitialBits) {}

void TVpNameSet::Clear() {
  for (const std::uint32_t slot : Used_) Slots_[slot] = TSlot{};
  Used_.clear();
  Names_.clear();
}

std::size_t TVpNameSet::SlotFor(std::uint64_t hash) const { return static_cast<std::size_t>(hash >> Shift_); }

bool TVpNameSet::Insert(std::string_view name) {
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
    if (slot.Hash == check && Names_[slot.Name - 1] == name) return false;
  }
}

void TVpNameSet::Grow() {
  Slots_.assign(Slots_.size() * 2, TSlot{});
  --Shift_;
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
