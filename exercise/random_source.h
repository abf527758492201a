// Pseudo-random numbers in [0, 1) that can be re-seeded from the clock.
#pragma once

#include <cstdint>

namespace lv {

class RandomSource {
 public:
  explicit RandomSource(std::uint64_t state = 0x6C65747465727600u) : state_(state) {}

  // Folds the clock value into the current state instead of replacing it, so that re-seeding
  // with an unchanged clock value (two draws within one clock tick) does not repeat a sequence.
  void reseed(std::uint64_t clock_value);

  // Uniform over [0, 1), 53 bits of resolution.
  double next();

 private:
  std::uint64_t state_;
};

}  // namespace lv
