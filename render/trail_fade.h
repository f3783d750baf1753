// How strongly each point of a trail is drawn. A strip fades in from transparent at the oldest
// point in proportion to its distance along the trail, and fades out again over its last stretch
// to a transparent head; the points on either side of a break are transparent. Alphas are not
// clamped here: GL clamps the colour when it draws.
#pragma once

#include <cstdint>

#include "sim/trail.h"
#include "sim/vec3.h"

struct TrailFade {
  float tipGap;       // from the newest point to the head
  float totalLength;  // count spacings plus the tip gap: one spacing more than oldest to head
  bool tipRule;       // the newest point fades with the tip gap (only with more than 2 points)
};

// The fade of a trail holding at least one point.
inline TrailFade trailFadeOf(const Trail& trail) {
  const float tipGap = vec3Length(vec3Sub(trail.points[trail.newest].position, trail.headPosition));
  const float totalLength = static_cast<float>(trail.count * kTrailPointSpacing + tipGap);
  return TrailFade{tipGap, totalLength, trail.count > 2};
}

// The alpha of point k (0 the oldest). breakHere: the point ends its line; breakBefore: the
// point before it did.
inline float trailPointAlpha(const TrailFade& fade, std::uint32_t k, bool isNewest, bool breakHere,
                             bool breakBefore) {
  if (breakHere || breakBefore) return 0.0f;
  if (isNewest && fade.tipRule) return static_cast<float>(fade.tipGap / kTrailPointSpacing);
  return static_cast<float>(kTrailPointSpacing * k / fade.totalLength);
}
