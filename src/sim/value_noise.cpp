#include "sim/value_noise.h"

#include <cmath>

namespace bv::sim {

namespace {
constexpr std::uint64_t kGolden = 0x9E3779B97F4A7C15ULL;
constexpr std::uint64_t kChannelSpread = 0xD1B54A32D192ED03ULL;
constexpr int kMantissaBits = 53;
constexpr double kMantissaScale = 1.0 / static_cast<double>(std::uint64_t{1} << kMantissaBits);

double unitFromBits(std::uint64_t bits)
{
    return static_cast<double>(bits >> (64 - kMantissaBits)) * kMantissaScale;
}
} // namespace

std::uint64_t mixBits(std::uint64_t x)
{
    x ^= x >> 30;
    x *= 0xBF58476D1CE4E5B9ULL;
    x ^= x >> 27;
    x *= 0x94D049BB133111EBULL;
    x ^= x >> 31;
    return x;
}

double hashUnit(std::uint64_t seed, int channel, std::int64_t index)
{
    const std::uint64_t key = mixBits(seed + kGolden) ^
                              (static_cast<std::uint64_t>(channel) * kChannelSpread) ^
                              static_cast<std::uint64_t>(index) * kGolden;
    return unitFromBits(mixBits(key));
}

double smoothNoise(std::uint64_t seed, int channel, std::int64_t timeMs, std::int64_t periodMs)
{
    const double x = static_cast<double>(timeMs) / static_cast<double>(periodMs);
    const double cell = std::floor(x);
    const double f = x - cell;
    const auto i = static_cast<std::int64_t>(cell);
    const double a = 2.0 * hashUnit(seed, channel, i) - 1.0;
    const double b = 2.0 * hashUnit(seed, channel, i + 1) - 1.0;
    const double s = f * f * (3.0 - 2.0 * f);
    return a + (b - a) * s;
}

std::uint64_t SeededRandom::next()
{
    state_ += kGolden;
    return mixBits(state_);
}

double SeededRandom::unit()
{
    return unitFromBits(next());
}

int SeededRandom::below(int n)
{
    return static_cast<int>(unit() * n);
}

} // namespace bv::sim
