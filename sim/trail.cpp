#include "sim/trail.h"

#include "sim/storage.h"

namespace {

constexpr int kMostPointsPerSample = 5;

void sampleTrail(Trail& trail) {
  if (trail.count == 0) {
    trailPush(trail, trail.headPosition, 0);
    return;
  }
  // Every point of this call is measured from the newest point as it stood before the call.
  const Vec3 anchor = trail.points[trail.newest].position;
  const Vec3 d = vec3Sub(trail.headPosition, anchor);
  const float gap = vec3Length(d);
  if (vec3LengthSquared(d) == 0.0f) return;
  const Vec3 u = vec3Normalize(d);
  float remaining = gap;
  for (int laid = 0; laid < kMostPointsPerSample && remaining > kTrailPointSpacing; ++laid) {
    remaining = static_cast<float>(remaining - kTrailPointSpacing);
    trailPush(trail, vec3Add(anchor, vec3Scale(u, gap - remaining)), 0);
  }
}

}  // namespace

bool trailInit(Trail& trail, std::uint32_t capacity) {
  trail.count = 0;
  trail.oldest = 0;
  trail.newest = 0;
  trail.active = 0;
  trail.capacity = capacity;
  trail.headPosition = vec3Zero();
  trail.points = nullptr;
  if (!storageObtainArray(trail.points, capacity)) {
    // Without its ring the trail holds nothing and ignores pushes.
    trail.capacity = 0;
    return false;
  }
  return true;
}

bool trailSetInit(TrailSet& set, std::uint32_t count, std::uint32_t capacity) {
  set.count = 0;
  set.trails = nullptr;
  if (!storageObtainArray(set.trails, count)) return false;
  // The array comes zero-filled, so trails after a failing one are empty and hold no ring.
  set.count = count;
  for (std::uint32_t i = 0; i < count; ++i) {
    if (!trailInit(set.trails[i], capacity)) return false;
  }
  return true;
}

void trailSetRelease(TrailSet& set) {
  if (set.trails != nullptr) {
    for (std::uint32_t i = 0; i < set.count; ++i) storageRelease(set.trails[i].points);
  }
  storageRelease(set.trails);
  set.count = 0;
  set.trails = nullptr;
}

void trailPush(Trail& trail, Vec3 position, std::int32_t breakAfter) {
  if (trail.capacity == 0) return;
  if (trail.count == 0) {
    trail.oldest = 0;
    trail.newest = 0;
    trail.count = 1;
  } else if (trail.count < trail.capacity) {
    trail.newest = (trail.newest + 1) % trail.capacity;
    ++trail.count;
  } else {
    trail.newest = (trail.newest + 1) % trail.capacity;
    trail.oldest = (trail.newest + 1) % trail.capacity;
  }
  trail.points[trail.newest] = TrailPoint{position, breakAfter};
}

void trailSetSample(TrailSet& set) {
  for (std::uint32_t i = 0; i < set.count; ++i) {
    Trail& trail = set.trails[i];
    if (trail.active != 0) sampleTrail(trail);
  }
}
