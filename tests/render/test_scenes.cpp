#include "tests/render/test_scenes.h"

#include "sim/random.h"

HandLaidScene::HandLaidScene(std::int32_t width, std::int32_t height, GlowMode glowMode, Vec3 color)
    : scene_{} {
  scene_.width = width;
  scene_.height = height;
  scene_.cameraZ = -4.75f;
  scene_.color = color;
  scene_.glowMode = glowMode;
}

void HandLaidScene::addTrail(const std::vector<TrailPoint>& points, Vec3 head, std::int32_t active,
                             std::uint32_t oldest) {
  points_.push_back(points);
  Trail trail{};
  trail.count = static_cast<std::uint32_t>(points.size());
  trail.capacity = trail.count > 0 ? trail.count : 1;
  trail.oldest = trail.count > 0 ? oldest % trail.count : 0;
  trail.newest = trail.count > 0 ? (trail.oldest + trail.count - 1) % trail.count : 0;
  trail.headPosition = head;
  trail.active = active;
  if (points_.back().empty()) points_.back().push_back(TrailPoint{head, 0});
  trails_.push_back(trail);
}

void HandLaidScene::addStraightTrail(Vec3 from, Vec3 step, std::uint32_t count) {
  std::vector<TrailPoint> points;
  Vec3 p = from;
  for (std::uint32_t k = 0; k < count; ++k) {
    points.push_back(TrailPoint{p, 0});
    p = vec3Add(p, step);
  }
  addTrail(points, p);
}

Scene& HandLaidScene::scene() {
  for (std::size_t i = 0; i < trails_.size(); ++i) trails_[i].points = points_[i].data();
  scene_.trails = TrailSet{static_cast<std::uint32_t>(trails_.size()), trails_.data()};
  return scene_;
}

Scene buildFlock(std::int32_t width, std::int32_t height, GlowMode glowMode,
                 ColorScheme colorScheme, std::int32_t symmetry, int seconds, std::uint32_t seed) {
  Scene scene{};
  seedRandom(seed);
  if (sceneInit(scene, {.requestedWireCount = 300,
                        .size = 0.5f,
                        .speed = 0.5f,
                        .width = width,
                        .height = height,
                        .colorScheme = colorScheme,
                        .glowMode = glowMode,
                        .symmetry = symmetry}) == 0) {
    for (int frame = 0; frame < seconds * 100; ++frame) sceneUpdate(scene, 10000);
  }
  return scene;
}
