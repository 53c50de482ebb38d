#pragma once

#include <cstdint>
#include <string_view>

// The 64-bit FNV-1a hash of the bytes: quick, well spread and the same on every machine and run,
// so that it may be stored (content UIDs, sync digests).
constexpr std::uint64_t Fnv1a64(std::string_view bytes) {
  std::uint64_t hash = 14695981039346656037ull;
  for (const char c : bytes) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 1099511628211ull;
  }
  return hash;
}
