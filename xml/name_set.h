#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

// The attribute names of one start tag, to find a name written twice in constant time per
// attribute. The names are views; their text must outlive the set.
//
// Start tags of one kind mostly repeat their names in one order (the rows of a table), so the set
// keeps the names of an earlier tag as a pattern: names that each turn up further on in the
// pattern are as distinct as the pattern's names, and need only one comparison each. Only a tag
// that leaves the pattern has its names hashed, and then becomes the pattern itself.
//
// The table is small (eight bytes a slot) so that even a tag with a hundred thousand attributes
// stays in cache, and clearing costs only the names added since the last clear.
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

  void StartHashing();
  bool InsertHashed(std::string_view name);
  void Grow();
  void PlaceNames();
  std::size_t SlotFor(std::uint64_t hash) const;

  std::vector<TSlot> Slots_;               // open addressing, linear probing; size is a power of two
  std::vector<std::string_view> Names_;    // the names in the set, in the order added
  std::vector<std::string_view> Pattern_;  // distinct names, in the order an earlier tag had them
  std::size_t PatternAt_ = 0;              // where in Pattern_ the next name is looked for
  bool Hashed_ = false;                    // the names left the pattern and are in the table
  std::vector<std::uint32_t> Used_;        // the slots in use, for clearing
  int Shift_;                              // 64 minus the number of bits of a slot index
};
