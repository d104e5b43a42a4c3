// The random generator of the start-up: seeded once per start from the clock,
// it draws single-precision values from 0 (inclusive) to 1 (exclusive).
#pragma once

#include <cstdint>

namespace Rnd {

// Seeds the generator from the system clock.
void Randomize();
// Seeds it with a fixed value, for a sequence that repeats.
void Randomize(std::uint32_t seed);

// The next draw, uniform in [0, 1).
float Next();

}  // namespace Rnd
