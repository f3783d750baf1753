// Trails: the recorded path of each wire's head, points laid 0.02 units apart in a ring of fixed
// capacity, so the newest points push the oldest out. Trail i belongs to wire i.
#pragma once

#include <cstdint>

#include "sim/vec3.h"

// The distance at which a trail's points are laid, in units.
inline constexpr double kTrailPointSpacing = 0.02;

struct TrailPoint {
  Vec3 position;
  std::int32_t breakAfter;  // 1 when the drawn line ends at this point
};

struct Trail {
  std::uint32_t count;     // points held, 0 to capacity
  std::uint32_t capacity;  // size of the ring
  std::uint32_t oldest;    // slot of the oldest point held
  std::uint32_t newest;    // slot of the newest point held
  TrailPoint* points;      // owned ring of capacity points
  Vec3 headPosition;       // where the wire's head is now
  std::int32_t active;     // inactive trails are neither extended nor drawn
};

struct TrailSet {
  std::uint32_t count;  // number of trails
  Trail* trails;        // owned; trail i follows wire i
};

// An empty, inactive trail with its head at the origin and a ring of capacity points. True when
// the ring's storage was obtained (a capacity of 0 needs none).
bool trailInit(Trail& trail, std::uint32_t capacity);

// count trails of the given capacity, initialised in index order. False at the first failure;
// when the array of trails itself is not obtained the set is left empty (count 0).
bool trailSetInit(TrailSet& set, std::uint32_t count, std::uint32_t capacity);

// Gives back every ring and the array, and leaves an empty set. Safe after a failed
// initialisation.
void trailSetRelease(TrailSet& set);

// Lays one point after the newest, overwriting the oldest when the ring is full. A trail of
// capacity 0 ignores it.
void trailPush(Trail& trail, Vec3 position, std::int32_t breakAfter);

// Extends every active trail towards its head: an empty trail takes the head as its first point;
// otherwise up to 5 points are laid every 0.02 units from the newest point towards the head.
void trailSetSample(TrailSet& set);
