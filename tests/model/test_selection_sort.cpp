#include <gtest/gtest.h>

#include <random>

#include "model/selection_sort.h"

namespace {

// An item with a key and the position it started at, so that the order of equal keys shows.
struct TItem {
  int Key;
  int Origin;
  friend bool operator==(const TItem&, const TItem&) = default;
};

bool KeyLess(const TItem& a, const TItem& b) { return a.Key < b.Key; }

// The selection sort itself, step by step, as the oracle.
void PlainSelectionSort(std::vector<TItem>& items) {
  for (size_t i = 0; i < items.size(); ++i) {
    size_t smallest = i;
    for (size_t j = i + 1; j < items.size(); ++j)
      if (items[j].Key < items[smallest].Key) smallest = j;
    std::swap(items[i], items[smallest]);
  }
}

std::vector<TItem> RandomItems(std::mt19937& random, size_t count, int distinctKeys) {
  std::vector<TItem> items;
  for (size_t i = 0; i < count; ++i)
    items.push_back({static_cast<int>(random() % static_cast<unsigned>(distinctKeys)), static_cast<int>(i)});
  return items;
}

void ExpectSameOrderAsPlainSort(std::vector<TItem> items) {
  std::vector<TItem> expected = items;
  PlainSelectionSort(expected);
  SelectionSortOrder(items, KeyLess);
  ASSERT_EQ(items, expected);
}

TEST(SelectionSortOrder, ReproducesTheOrderOfEqualKeys) {
  std::mt19937 random(3);
  for (size_t count : {0, 1, 2, 3, 7, 64, 65, 300}) {
    for (int distinct : {1, 2, 5, 1000}) {
      SCOPED_TRACE(testing::Message() << count << " items, " << distinct << " keys");
      for (int round = 0; round < 20; ++round) ExpectSameOrderAsPlainSort(RandomItems(random, count, distinct));
    }
  }
}

// A sorted list with one item appended, the case of adding a record, takes the quick path.
TEST(SelectionSortOrder, ReproducesTheOrderAfterAnAppend) {
  std::mt19937 random(5);
  for (int distinct : {1, 3, 10, 1000}) {
    SCOPED_TRACE(distinct);
    for (int round = 0; round < 50; ++round) {
      std::vector<TItem> items = RandomItems(random, 1 + random() % 200, distinct);
      PlainSelectionSort(items);
      items.push_back({static_cast<int>(random() % static_cast<unsigned>(distinct)), -1});
      ExpectSameOrderAsPlainSort(items);
    }
  }
}

TEST(SelectionSortOrder, EqualKeysDoNotKeepTheirOrder) {
  // The swap of the first step carries the first 2 behind the second one.
  std::vector<TItem> items{{2, 0}, {2, 1}, {1, 2}};
  SelectionSortOrder(items, KeyLess);
  EXPECT_EQ(items, (std::vector<TItem>{{1, 2}, {2, 1}, {2, 0}}));
}

}  // namespace
