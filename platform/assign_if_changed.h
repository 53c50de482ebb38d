#pragma once

#include <utility>

// The common rule of a property setter: a value that differs from the stored one is stored, and
// the caller then tells whoever listens (marks a record changed, repaints a view). Returns whether
// the value was stored, so that an equal value notifies nobody.
template <class T, class U>
bool AssignIfChanged(T& field, U&& value) {
  if (field == value) return false;
  field = std::forward<U>(value);
  return true;
}
