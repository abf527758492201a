#include "exercise/random_source.h"

namespace lv {

namespace {

constexpr std::uint64_t kGoldenGamma = 0x9E3779B97F4A7C15u;

// SplitMix64's finaliser: every input bit affects every output bit.
std::uint64_t mix(std::uint64_t z) {
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
  return z ^ (z >> 31);
}

}  // namespace

void RandomSource::reseed(std::uint64_t clock_value) {
  state_ ^= mix(clock_value + kGoldenGamma);
}

double RandomSource::next() {
  state_ += kGoldenGamma;
  return static_cast<double>(mix(state_) >> 11) * 0x1.0p-53;
}

}  // namespace lv
