#pragma once

#include <utility>

// Gives a variable a value for as long as the scope lives, then the value it had before, however
// the scope ends (an exception included). Used for the flags that say "this object is busy
// refilling / handling a notification / showing its menu".
template <class T>
class TScopedValue {
 public:
  TScopedValue(T& variable, T value) : Variable_(variable), Was_(std::move(variable)) { Variable_ = std::move(value); }
  ~TScopedValue() { Variable_ = std::move(Was_); }
  TScopedValue(const TScopedValue&) = delete;
  TScopedValue& operator=(const TScopedValue&) = delete;

 private:
  T& Variable_;
  T Was_;
};
