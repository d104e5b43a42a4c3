#include "rnd.h"

#include <chrono>
#include <random>

namespace Rnd {
namespace {

std::mt19937 &generator()
{
    static std::mt19937 current;
    return current;
}

}  // namespace

void Randomize()
{
    const auto ticks = std::chrono::system_clock::now().time_since_epoch().count();
    Randomize(static_cast<std::uint32_t>(ticks ^ (ticks >> 32)));
}

void Randomize(std::uint32_t seed)
{
    generator().seed(seed);
}

float Next()
{
    // 24 random bits fill a float's significand exactly, so the draw can never
    // round up to 1, which std::uniform_real_distribution<float> may.
    constexpr float kStep = 1.0f / 16777216.0f;
    return static_cast<float>(generator()() >> 8) * kStep;
}

}  // namespace Rnd
