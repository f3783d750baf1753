#include "render/gl11/wire_drawing.h"

#include "render/gl11/gl_api.h"
#include "render/glow_sizes.h"
#include "render/camera.h"
#include "render/trail_fade.h"

namespace {

// One of the eight mirror images of the cube: each coordinate c becomes offset + scale * c,
// with (0, 1) leaving it and (1, -1) mirroring it to 1 - c, exactly.
struct Mirror {
  float offsetX, scaleX;
  float offsetY, scaleY;
  float offsetZ, scaleZ;
};

// Copy j mirrors x when its bit 0 is set, y with bit 1 and z with bit 2.
Mirror mirrorOfCopy(unsigned copy) {
  Mirror m{};
  m.offsetX = (copy & 1u) != 0 ? 1.0f : 0.0f;
  m.scaleX = (copy & 1u) != 0 ? -1.0f : 1.0f;
  m.offsetY = (copy & 2u) != 0 ? 1.0f : 0.0f;
  m.scaleY = (copy & 2u) != 0 ? -1.0f : 1.0f;
  m.offsetZ = (copy & 4u) != 0 ? 1.0f : 0.0f;
  m.scaleZ = (copy & 4u) != 0 ? -1.0f : 1.0f;
  return m;
}

Vec3 mirrored(const Mirror& m, Vec3 p) {
  return Vec3{m.offsetX + m.scaleX * p.x, m.offsetY + m.scaleY * p.y, m.offsetZ + m.scaleZ * p.z};
}

// One copy of one trail as GL reads it from arrays: a position and a colour for each point and
// the head. Sized for the longest trail the settings make (60 points) with room to spare; a
// longer strip is sent in pieces that share their end points.
constexpr std::uint32_t kStripVertices = 128;
struct StripVertex {
  float position[3];
  float color[4];
};
StripVertex gStrip[kStripVertices];

// Sends vertices [first, end) of the strip as one line strip, when it makes a line.
void drawStripPart(std::uint32_t first, std::uint32_t end) {
  if (end > first)
    glDrawArrays(GL_LINE_STRIP, static_cast<GLint>(first), static_cast<GLsizei>(end - first));
}

// A trail whose ring cannot be read as it says (no storage, or a newest slot outside the ring)
// is not drawn rather than read out of bounds.
bool trailIsDrawable(const Trail& trail) {
  return trail.active != 0 && trail.count > 0 && trail.capacity > 0 && trail.points != nullptr &&
         trail.newest < trail.capacity;
}

// One copy of one trail: a line strip from the oldest point to the head, broken after every
// point that carries a break.
void drawTrailCopy(const Trail& trail, const TrailFade& fade, Vec3 color, const Mirror& mirror) {
  std::uint32_t slot = trail.oldest % trail.capacity;
  std::uint32_t used = 0;   // vertices in the array
  std::uint32_t first = 0;  // where the strip being filled begins
  bool breakBefore = false;
  const auto add = [&](Vec3 position, float alpha) {
    if (used == kStripVertices) {
      // Full: what is there goes now, and the strip goes on from its last vertex.
      drawStripPart(first, used);
      gStrip[0] = gStrip[used - 1];
      used = 1;
      first = 0;
    }
    StripVertex& v = gStrip[used++];
    const Vec3 p = mirrored(mirror, position);
    v = StripVertex{{p.x, p.y, p.z}, {color.x, color.y, color.z, alpha}};
  };
  for (std::uint32_t k = 0; k < trail.count; ++k) {
    const TrailPoint& point = trail.points[slot];
    const bool breakHere = point.breakAfter != 0;
    add(point.position, trailPointAlpha(fade, k, slot == trail.newest, breakHere, breakBefore));
    if (breakHere) {
      drawStripPart(first, used);
      first = used;
    }
    breakBefore = breakHere;
    if (++slot == trail.capacity) slot = 0;
  }
  add(trail.headPosition, 0.0f);
  drawStripPart(first, used);
}

// What a pass leaves behind, whether or not it drew.
void leaveDrawingState() {
  glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  glEnable(GL_BLEND);
  glDisable(GL_LINE_SMOOTH);
  glEnable(GL_TEXTURE_2D);
  glMatrixMode(GL_PROJECTION);
}

}  // namespace

void drawScene(const Scene& scene) {
  if (!windowHasPixels(scene.width, scene.height)) {
    leaveDrawingState();
    return;
  }
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  gluPerspective(kCameraFieldOfViewDegrees,
                 static_cast<float>(scene.width) / static_cast<float>(scene.height),
                 kCameraNearPlane, kCameraFarPlane);

  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  glTranslatef(0.0f, 0.0f, scene.cameraZ);
  glRotatef(scene.angleX, 1.0f, 0.0f, 0.0f);
  glRotatef(scene.angleY, 0.0f, 1.0f, 0.0f);
  glRotatef(scene.angleZ, 0.0f, 0.0f, 1.0f);
  glScalef(2.0f, 2.0f, 2.0f);
  glTranslatef(-0.5f, -0.5f, -0.5f);

  glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  glEnable(GL_BLEND);
  const Vec3 color = glowIsOn(scene.glowMode) ? Vec3{1.0f, 1.0f, 1.0f} : scene.color;
  drawTrails(scene.trails, color, scene.symmetry);

  glMatrixMode(GL_MODELVIEW);
  glPopMatrix();
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
}

void drawTrails(const TrailSet& trails, Vec3 color, std::int32_t symmetry) {
  const unsigned copies = symmetry != 0 ? 8u : 1u;
  glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  glDisable(GL_TEXTURE_2D);
  glEnable(GL_LINE_SMOOTH);
  glEnableClientState(GL_VERTEX_ARRAY);
  glEnableClientState(GL_COLOR_ARRAY);
  glVertexPointer(3, GL_FLOAT, sizeof(StripVertex), gStrip[0].position);
  glColorPointer(4, GL_FLOAT, sizeof(StripVertex), gStrip[0].color);
  for (std::uint32_t i = 0; i < trails.count; ++i) {
    const Trail& trail = trails.trails[i];
    if (!trailIsDrawable(trail)) continue;
    const TrailFade fade = trailFadeOf(trail);
    for (unsigned copy = 0; copy < copies; ++copy) {
      drawTrailCopy(trail, fade, color, mirrorOfCopy(copy));
    }
  }
  glDisableClientState(GL_COLOR_ARRAY);
  glDisableClientState(GL_VERTEX_ARRAY);
  glDisable(GL_LINE_SMOOTH);
  glEnable(GL_TEXTURE_2D);
}
