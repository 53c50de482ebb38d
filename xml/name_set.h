#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

// The attribute names of one start tag, to find a name written twice in constant time per
// attribute. The names are views; their text must outlive the set's use. The table is small
// (eight bytes a slot) so that even a tag with a hundred thousand attributes stays in cache,
// and clearing costs only the names added since the last clear.
class TVpNameSet {
 public:
  TVpNameSet();
  void Clear();
  // Adds the name; false when it was already there.
  bool Insert(std::string_view name);

 private:
  struct TSlot {
    std::uint32_t Hash = 0;  // the high half of the name's hash, to skip most comparisons
    std::uint32_t Name = 0;  // index into Names_ plus one; 0 for a free slot
  };

  void Grow();
  std::size_t SlotFor(std::uint64_t hash) const;

  std::vector<TSlot> Slots_;  // open addressing, linear probing; size is a power of two
  std::vector<std::string_view> Names_;
  std::vector<std::uint32_t> Used_;  // the slots in use, for clearing
  int Shift_;                        // 64 minus the number of bits of a slot index
};
