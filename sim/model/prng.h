// SplitMix64: the same sequence from the same seed with every compiler and library
// (the standard distributions differ between them), so the default data of the
// simulator is identical on every platform.
#pragma once

#include <cstdint>

namespace tarvex::sim {

class Prng {
 public:
  explicit Prng(std::uint64_t seed) : state_(seed) {}

  std::uint64_t Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
  }

  // A value in lo..hi (inclusive); the slight modulo bias does not matter for test data.
  int Between(int lo, int hi) {
    const auto span = static_cast<std::uint64_t>(hi - lo) + 1;
    return lo + static_cast<int>(Next() % span);
  }

 private:
  std::uint64_t state_;
};

}  // namespace tarvex::sim
