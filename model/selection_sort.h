#pragma once

#include <algorithm>
#include <utility>
#include <vector>

// Puts the items in exactly the order a selection sort leaves them in: for each position from the
// first, the first item with the smallest key among that position and the ones after it (a later
// item wins only when its key is strictly smaller) is swapped into the position. Among equal keys
// that order is part of the planner's behaviour, so it is reproduced, but without the quadratic
// cost: the same swaps are found in O(n log n), and in O(n) when only the last item is out of
// place (a record just appended to a sorted collection).
template <class T, class Less>
void SelectionSortOrder(std::vector<T>& items, Less less) {
  const size_t n = items.size();
  if (n < 2) return;

  const auto last = items.begin() + static_cast<std::ptrdiff_t>(n - 1);
  if (std::is_sorted(items.begin(), last, less)) {
    // Each swap puts the item at the end into the first place holding a strictly greater key;
    // the displaced item moves to the end and the scan goes on behind the new one.
    auto place = std::upper_bound(items.begin(), last, items.back(), less);
    while (place != last) {
      std::swap(*place, items.back());
      place = std::upper_bound(place + 1, last, items.back(), less);
    }
    return;
  }

  // A tournament tree over the positions not yet placed: each node holds the first position of
  // its range with the smallest key, so the root answers the scan of a whole selection step.
  constexpr size_t kNone = static_cast<size_t>(-1);
  size_t leaves = 1;
  while (leaves < n) leaves *= 2;
  std::vector<size_t> tree(2 * leaves, kNone);
  auto winner = [&](size_t a, size_t b) {
    if (a == kNone) return b;
    if (b == kNone) return a;
    return less(items[b], items[a]) ? b : a;  // a lies before b: b wins only when smaller
  };
  auto update = [&](size_t node) {
    for (node /= 2; node >= 1; node /= 2) tree[node] = winner(tree[2 * node], tree[2 * node + 1]);
  };
  for (size_t i = 0; i < n; ++i) tree[leaves + i] = i;
  for (size_t node = leaves - 1; node >= 1; --node) tree[node] = winner(tree[2 * node], tree[2 * node + 1]);

  for (size_t i = 0; i + 1 < n; ++i) {
    const size_t smallest = tree[1];
    tree[leaves + i] = kNone;  // position i is placed and leaves the contest
    if (smallest != i) {
      std::swap(items[i], items[smallest]);
      update(leaves + smallest);  // the leaf now holds the item that was at i
    }
    update(leaves + i);
  }
}
