#include "sim/scene.h"

#include <cmath>
#include <cstdint>

#include "sim/palette.h"
#include "sim/random.h"

namespace {

constexpr std::int32_t kSymmetryCopies = 8;
constexpr double kStartSpanUs = 6000000.0;
constexpr std::uint32_t kShortestActivationIntervalUs = 10;

// floor of a non-negative double as an unsigned 32-bit number; NaN and negative values give 0,
// values beyond the range give its top.
std::uint32_t truncateToUint32(double value) {
  if (!(value >= 0.0)) return 0;
  if (value >= 4294967296.0) return UINT32_MAX;
  return static_cast<std::uint32_t>(value);
}

// A spin rate: the magnitude is drawn before the sign.
float drawSpin(float lowest, float highest) {
  const float magnitude = randomFloat(lowest, highest);
  return magnitude * static_cast<float>(randomSign());
}

}  // namespace

std::int32_t sceneInit(Scene& scene, const SceneParameters& parameters) {
  const std::int32_t requestedWireCount = parameters.requestedWireCount;
  const float size = parameters.size;
  const float speed = parameters.speed;
  const ColorScheme colorScheme =
      parameters.colorScheme > ColorScheme::Cycle ? ColorScheme::Cycle : parameters.colorScheme;
  const GlowMode glowMode = parameters.glowMode;

  // Empty components first, so a scene whose construction stops half way can still be released.
  scene = Scene{};

  scene.glowMode = glowMode;
  scene.baseWireSpeed = static_cast<float>(static_cast<double>(speed) * 1.5e-7 + 5e-8);
  scene.size = size;
  scene.symmetry = parameters.symmetry != 0 ? 1 : 0;

  scene.boundsMaxY = 1.1f;
  scene.boundsMinY = -0.1f;
  scene.boundsMinX = -0.1f;
  scene.boundsMaxX = 1.1f;
  scene.boundsMaxZ = 1.0f;
  scene.boundsMinZ = 0.0f;

  const std::int32_t n =
      scene.symmetry != 0 ? requestedWireCount / kSymmetryCopies : requestedWireCount;

  scene.width = parameters.width;
  scene.height = parameters.height;
  scene.cameraZ = -(speed * 1.5f + 4.0f);

  // A fixed scheme's number is its palette entry.
  scene.paletteIndex = colorSchemeDrawsEntry(colorScheme)
                           ? static_cast<std::uint8_t>(randomInt(0, kPaletteSize - 1))
                           : static_cast<std::uint8_t>(colorScheme);
  scene.nextPaletteIndex = paletteDrawNextIndex(scene.paletteIndex);
  scene.color = paletteColor(scene.paletteIndex, glowIsOn(glowMode));

  scene.cycleElapsedUs = 0;
  scene.cycleBlendUs = 5000000;
  scene.cyclePeriodUs = 30000000;
  scene.cycleColors = colorSchemeCycles(colorScheme) ? 1 : 0;

  scene.angleX = randomFloat(0.0f, 360.0f);
  scene.angleY = randomFloat(0.0f, 360.0f);
  scene.angleZ = randomFloat(0.0f, 360.0f);
  scene.spinX = drawSpin(5e-7f, 1.5e-6f);
  scene.spinY = drawSpin(8e-7f, 2e-6f);
  scene.spinZ = drawSpin(4e-7f, 7e-7f);

  scene.activationElapsedUs = 0;
  scene.activationIntervalUs = truncateToUint32(std::floor(kStartSpanUs / n));
  if (scene.activationIntervalUs < kShortestActivationIntervalUs) {
    scene.activationIntervalUs = kShortestActivationIntervalUs;
  }

  if (cellGridInit(scene.grid, kGridCellCount, n) != 0) return 1;
  if (wireArrayInit(scene.wires, n, scene.baseWireSpeed, scene.grid) != 0) return 1;

  const std::uint32_t capacity =
      truncateToUint32(std::floor(static_cast<double>(size) * 40.0 + 20.0));
  if (!trailSetInit(scene.trails, static_cast<std::uint32_t>(n), capacity)) return 1;
  for (std::int32_t i = 0; i < n; ++i) {
    scene.trails.trails[i].headPosition = scene.wires.items[i].position;
  }
  return 0;
}

void sceneRelease(Scene& scene) {
  trailSetRelease(scene.trails);
  wireArrayRelease(scene.wires);
  cellGridRelease(scene.grid);
}
