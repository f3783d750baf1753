// The pseudo-random generator and the range functions every random choice of the simulation
// goes through. The draws come from the generator in use: the program's own, or one a caller puts
// in its place for a while (each flock the frame driver builds draws from its own).
//
// A 15-bit linear congruential generator modulo 2^32 (multiplier 214013, increment 2531011,
// bits 16 to 30 of the state). The ranges are closed: the top draw 32767 gives hi exactly and
// the draw 0 gives lo. A range function makes exactly one draw, or none when its range is empty.
#pragma once

#include <cstdint>

// One generator's state.
struct RandomGenerator {
  std::uint32_t state;
};

// Puts a generator in use for the draws that follow, or with null the program's own; returns
// the one it replaces.
RandomGenerator* randomUse(RandomGenerator* generator);

// Sets the state of the generator in use to seed.
void seedRandom(std::uint32_t seed);

// The next draw, 0 to 32767.
int nextRandom();

// One draw: +1 when it is odd, -1 when it is even.
int randomSign();

// lo + draw mod (hi - lo + 1) when hi > lo; otherwise lo, without a draw.
std::int32_t randomInt(std::int32_t lo, std::int32_t hi);

// lo + draw * (hi - lo) / 32767, formed in double and rounded to float, when lo < hi;
// otherwise lo, without a draw (also when either bound is NaN).
float randomFloat(float lo, float hi);

// The same rule as randomFloat, in double precision throughout.
double randomDouble(double lo, double hi);
