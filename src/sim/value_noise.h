#pragma once

#include <cstdint>

namespace bv::sim {

// Deterministic pseudo-random numbers from a seed, for the weather model and
// the fault plan: the same seed always gives the same weather.
std::uint64_t mixBits(std::uint64_t x);
// A uniform number in [0, 1) for (seed, channel, index).
double hashUnit(std::uint64_t seed, int channel, std::int64_t index);
// Smooth noise in [-1, 1]: random values at every multiple of periodMs,
// joined by a smoothstep curve, so it changes on the scale of periodMs.
double smoothNoise(std::uint64_t seed, int channel, std::int64_t timeMs, std::int64_t periodMs);

// A small seeded generator (splitmix64) for draws that are not tied to time.
class SeededRandom {
  public:
    explicit SeededRandom(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next();
    double unit();    // [0, 1)
    int below(int n); // [0, n)

  private:
    std::uint64_t state_;
};

} // namespace bv::sim
