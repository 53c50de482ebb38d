#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

// The attribute names of one start tag, to find a name written twice in constant time per
// attribute. The names are views; their text must outlive the set's use. Clearing is constant
// time, so a set serves every start tag of a document.
class TVpNameSet {
 public:
  TVpNameSet();
  void Clear();
  // Adds the name; false when it was already there.
  bool Insert(std::string_view Name);

 private:
  struct TSlot {
    std::string_view Name;
    std::uint64_t Hash = 0;
    std::uint32_t Generation = 0;  // the slot is in use when it equals the set's generation
  };

  void Grow();

  std::vector<TSlot> Slots_;  // open addressing, linear probing; size is a power of two
  std::size_t Count_ = 0;
  std::uint32_t Generation_ = 1;
};
