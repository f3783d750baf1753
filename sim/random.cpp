#include "sim/random.h"

namespace {

constexpr std::uint32_t kMultiplier = 214013u;
constexpr std::uint32_t kIncrement = 2531011u;
constexpr double kTopDraw = 32767.0;

// The program's own generator, and the one in use; there is one thread.
RandomGenerator programGenerator{0};
RandomGenerator* generatorInUse = &programGenerator;

}  // namespace

RandomGenerator* randomUse(RandomGenerator* generator) {
  RandomGenerator* const previous = generatorInUse;
  generatorInUse = generator != nullptr ? generator : &programGenerator;
  return previous;
}

void seedRandom(std::uint32_t seed) { generatorInUse->state = seed; }

int nextRandom() {
  std::uint32_t& state = generatorInUse->state;
  state = state * kMultiplier + kIncrement;
  return static_cast<int>((state >> 16) & 0x7FFFu);
}

int randomSign() { return (nextRandom() & 1) != 0 ? 1 : -1; }

std::int32_t randomInt(std::int32_t lo, std::int32_t hi) {
  if (hi <= lo) return lo;
  // The width of the range is formed in 64 bits so that the widest ranges do not overflow; the
  // result still lies in [lo, hi].
  const std::int64_t width = static_cast<std::int64_t>(hi) - lo + 1;
  return static_cast<std::int32_t>(lo + nextRandom() % width);
}

float randomFloat(float lo, float hi) {
  if (!(lo < hi)) return lo;
  const double r = nextRandom();
  const double low = lo;
  const double high = hi;
  return static_cast<float>(low + r * (high - low) / kTopDraw);
}

double randomDouble(double lo, double hi) {
  if (!(lo < hi)) return lo;
  const double r = nextRandom();
  return lo + r * (hi - lo) / kTopDraw;
}
