// What the drawing puts on the screen, read back from OSMesa and compared with what the drawing
// rules predict: where the perspective and the cube's turning put each trail point, and what the
// glow's downscale, taps, weights, copies and tint make of the captured wires. The expectations
// are worked out here from those rules, not from the drawing code's own matrix or blend calls.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

#include "render/fps_overlay.h"
#include "render/gl11/fps_figures.h"
#include "render/gl11/gl_api.h"
#include "render/gl11/glow_pass.h"
#include "render/gl11/wire_drawing.h"
#include "tests/render/render_fixture.h"
#include "tests/render/test_scenes.h"

// Lines thinner than a pixel look like one-pixel lines on this GL, so the width of every line
// strip is read where it is drawn (the test is linked with glDrawArrays wrapped).
namespace {
std::vector<GLfloat> stripWidths;
}  // namespace

extern "C" void __real_glDrawArrays(GLenum mode, GLint first, GLsizei count);
extern "C" void __wrap_glDrawArrays(GLenum mode, GLint first, GLsizei count) {
  if (mode == GL_LINE_STRIP) {
    GLfloat width = 0.0f;
    glGetFloatv(GL_LINE_WIDTH, &width);
    stripWidths.push_back(width);
  }
  __real_glDrawArrays(mode, first, count);
}

namespace {

constexpr double kPi = 3.14159265358979323846;

struct View {
  std::int32_t width, height;
  float angleX, angleY, angleZ, cameraZ;
};

struct WindowPoint {
  double x, y, z;  // pixels from the viewport's lower-left corner; depth 0 (near) to 1 (far)
};

// Where a scene point lands in the window: moved by -0.5 and doubled, turned about z, then y,
// then x by the scene's angles, pushed to z = cameraZ, and seen through a 35-degree perspective
// of aspect width / height between the planes 0.4 and 12.
WindowPoint project(const Scene& scene, Vec3 p) {
  double x = (p.x - 0.5) * 2.0, y = (p.y - 0.5) * 2.0, z = (p.z - 0.5) * 2.0;
  const auto turn = [](double& a, double& b, float degrees) {  // a towards b
    const double c = std::cos(degrees * kPi / 180.0), s = std::sin(degrees * kPi / 180.0);
    const double turned = c * a - s * b;
    b = s * a + c * b;
    a = turned;
  };
  turn(x, y, scene.angleZ);
  turn(z, x, scene.angleY);
  turn(y, z, scene.angleX);
  z += scene.cameraZ;
  const double f = 1.0 / std::tan(17.5 * kPi / 180.0);
  const double aspect = static_cast<double>(scene.width) / scene.height;
  const double near = 0.4, far = 12.0;
  const double ndcZ = ((far + near) / (near - far) * z + 2.0 * far * near / (near - far)) / -z;
  return WindowPoint{(f / aspect * x / -z + 1.0) / 2.0 * scene.width,
                     (f * y / -z + 1.0) / 2.0 * scene.height, (ndcZ + 1.0) / 2.0};
}

// The segments of every drawn strip, projected: oldest point to newest in ring order, then the
// head.
std::vector<std::pair<WindowPoint, WindowPoint>> projectedSegments(const Scene& scene) {
  std::vector<std::pair<WindowPoint, WindowPoint>> segments;
  for (std::uint32_t i = 0; i < scene.trails.count; ++i) {
    const Trail& t = scene.trails.trails[i];
    if (t.active == 0 || t.count == 0) continue;
    for (std::uint32_t k = 0; k < t.count; ++k) {
      const Vec3 next =
          k + 1 < t.count ? t.points[(t.oldest + k + 1) % t.capacity].position : t.headPosition;
      segments.emplace_back(project(scene, t.points[(t.oldest + k) % t.capacity].position),
                            project(scene, next));
    }
  }
  return segments;
}

// The line segments drawScene emits, in order, as GL's feedback mode reports them.
std::vector<std::array<GLfloat, 6>> feedbackSegments(const Scene& scene) {
  std::vector<GLfloat> buffer(1 << 16);
  glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D_COLOR, buffer.data());
  glRenderMode(GL_FEEDBACK);
  drawScene(scene);
  const GLint used = glRenderMode(GL_RENDER);
  std::vector<std::array<GLfloat, 6>> segments;
  for (GLint i = 0; i + 15 <= used; i += 15) {  // token, then x y z r g b a twice
    const GLfloat* f = &buffer[static_cast<std::size_t>(i) + 1];
    segments.push_back({f[0], f[1], f[2], f[7], f[8], f[9]});
  }
  return segments;
}

double distanceToSegment(double px, double py, const WindowPoint& a, const WindowPoint& b) {
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double lengthSquared = dx * dx + dy * dy;
  const double t = lengthSquared > 0.0
                       ? std::clamp(((px - a.x) * dx + (py - a.y) * dy) / lengthSquared, 0.0, 1.0)
                       : 0.0;
  return std::hypot(px - (a.x + t * dx), py - (a.y + t * dy));
}

// Two trails seen from the given view: an arc whose ring has wrapped (its oldest point in slot 5
// of 12), so that reading the ring from slot 0 would draw a chord across it, and a straight one.
Scene& layTrails(HandLaidScene& laid, const View& view) {
  const auto onArc = [](double degrees) {
    const double theta = degrees * kPi / 180.0;
    return Vec3{static_cast<float>(0.5 + 0.3 * std::cos(theta)),
                static_cast<float>(0.45 + 0.25 * std::sin(theta)),
                static_cast<float>(0.5 + 0.15 * std::sin(theta) - 0.1 * std::cos(theta))};
  };
  std::vector<TrailPoint> ring(12);
  for (int k = 0; k < 12; ++k) ring[(k + 5) % 12] = TrailPoint{onArc(-60.0 + 15.0 * k), 0};
  laid.addTrail(ring, onArc(110.0), 1, 5);
  laid.addStraightTrail(Vec3{0.15f, 0.85f, 0.2f}, Vec3{0.05f, -0.03f, 0.06f}, 9);
  Scene& scene = laid.scene();
  scene.angleX = view.angleX;
  scene.angleY = view.angleY;
  scene.angleZ = view.angleZ;
  scene.cameraZ = view.cameraZ;
  return scene;
}

// Under every view, each vertex of each strip lands where the projection puts it, in ring order;
// the strips are drawn one pixel wide, and the picture's lit pixels lie on them, in the scene's
// own hue, about two pixels thick as smoothed lines are.
TEST(Picture, TrailsLandWhereThePerspectiveAndTheTurningPutThem) {
  const View views[] = {
      {256, 192, 0.0f, 0.0f, 0.0f, -4.75f},
      {256, 192, 25.0f, -40.0f, 70.0f, -4.75f},
      {176, 240, -130.0f, 215.0f, 10.0f, -4.2f},
      {176, 240, 60.0f, 100.0f, -35.0f, -5.5f},
  };
  for (const View& v : views) {
    SCOPED_TRACE(testing::Message() << v.width << "x" << v.height << " angles " << v.angleX << " "
                                    << v.angleY << " " << v.angleZ << " camera " << v.cameraZ);
    SaverSurface saver(v.width, v.height);
    HandLaidScene laid(v.width, v.height, GlowMode::None, Vec3{1.0f, 0.28f, 0.28f});
    const Scene& scene = layTrails(laid, v);
    const auto expected = projectedSegments(scene);
    const auto fed = feedbackSegments(scene);
    ASSERT_EQ(fed.size(), expected.size());
    for (std::size_t s = 0; s < fed.size(); ++s) {
      for (const auto& [end, want] : {std::pair{0, expected[s].first}, {3, expected[s].second}}) {
        // The whole strip is in view, so nothing is clipped.
        ASSERT_TRUE(want.x >= 0 && want.x <= v.width && want.y >= 0 && want.y <= v.height);
        EXPECT_NEAR(fed[s][end], want.x, 0.01) << "segment " << s;
        EXPECT_NEAR(fed[s][end + 1], want.y, 0.01) << "segment " << s;
        EXPECT_NEAR(fed[s][end + 2], want.z, 2e-5) << "segment " << s;
      }
    }

    stripWidths.clear();
    const std::vector<Rgb> pixels = saver.frame(scene);
    EXPECT_EQ(stripWidths, std::vector<GLfloat>(2, 1.0f));
    int lit = 0;
    double farthest = 0.0;
    for (std::int32_t y = 0; y < v.height; ++y) {
      for (std::int32_t x = 0; x < v.width; ++x) {
        const Rgb& p = pixels[static_cast<std::size_t>(y * v.width + x)];
        if (p.r == 0) continue;
        ++lit;
        double nearest = 1e9;
        for (const auto& [a, b] : expected) {
          nearest = std::min(nearest, distanceToSegment(x + 0.5, y + 0.5, a, b));
        }
        farthest = std::max(farthest, nearest);
        ASSERT_EQ(p.g, p.b);
        if (p.r < 255) {
          ASSERT_NEAR(p.g, p.r * 0.28, 1.5) << p.r;
        }
      }
    }
    double length = 0.0;  // in pixel steps along each segment's major axis
    for (const auto& [a, b] : expected) {
      length += std::max(std::abs(b.x - a.x), std::abs(b.y - a.y));
    }
    EXPECT_LE(farthest, 1.25);
    EXPECT_GE(lit / length, 1.6);  // an unsmoothed line lights one pixel per step
  }
}

// ---- The glow: what each stage should make of what the stage before it left. ----

// An RGB image, rows bottom first, 8-bit steps as doubles.
struct Image {
  std::int32_t width, height;
  std::vector<double> values;
  double at(std::int32_t x, std::int32_t y, int c) const {
    return values[(static_cast<std::size_t>(y) * width + x) * 3 + c];
  }
  double& at(std::int32_t x, std::int32_t y, int c) {
    return values[(static_cast<std::size_t>(y) * width + x) * 3 + c];
  }
};

Image imageOf(const std::vector<unsigned char>& bytes, std::int32_t width, std::int32_t height) {
  return Image{width, height, std::vector<double>(bytes.begin(), bytes.end())};
}

Image textureImage(GLuint name, std::int32_t side) {
  std::vector<unsigned char> bytes(static_cast<std::size_t>(side) * side * 3);
  glBindTexture(GL_TEXTURE_2D, name);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, bytes.data());
  return imageOf(bytes, side, side);
}

Image framebufferImage(std::int32_t width, std::int32_t height) {
  std::vector<unsigned char> bytes(static_cast<std::size_t>(width) * height * 3);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, bytes.data());
  return imageOf(bytes, width, height);
}

// A texture read with linear filtering at texel coordinates (u, v), texel centres on whole
// numbers; the coordinates are clamped to the texture and texels beyond it are black.
double sample(const Image& t, double u, double v, int c) {
  u = std::clamp(u, -0.5, t.width - 0.5);
  v = std::clamp(v, -0.5, t.height - 0.5);
  const double u0 = std::floor(u), v0 = std::floor(v), fu = u - u0, fv = v - v0;
  const auto texel = [&](double x, double y) {
    if (x < 0 || y < 0 || x >= t.width || y >= t.height) return 0.0;
    return t.at(static_cast<std::int32_t>(x), static_cast<std::int32_t>(y), c);
  };
  return (1 - fv) * ((1 - fu) * texel(u0, v0) + fu * texel(u0 + 1, v0)) +
         fv * ((1 - fu) * texel(u0, v0 + 1) + fu * texel(u0 + 1, v0 + 1));
}

// One quad blended onto an 8-bit framebuffer.
double add(double destination, double source) {
  return std::min(255.0, destination + std::round(source));
}

// Every pixel of a side x side square.
template <typename F>
Image eachPixel(std::int32_t side, F value) {
  Image image{side, side, std::vector<double>(static_cast<std::size_t>(side) * side * 3)};
  for (std::int32_t y = 0; y < side; ++y) {
    for (std::int32_t x = 0; x < side; ++x) {
      for (int c = 0; c < 3; ++c) image.at(x, y, c) = value(x, y, c);
    }
  }
  return image;
}

// The finished glow from the captured square: the capture scaled into the blur square,
// replacing what is there; a fifth of that plus a fifth of each of eight copies shifted by
// 0.0015 i fx of the square (i = 1 to 4, each way) horizontally; that at full weight plus a fifth
// of each of eight copies of it shifted by 0.0015 i fy vertically. Each stage is copied into the
// texture the next one reads.
Image expectedGlow(const Image& capture, std::int32_t side, double fx, double fy) {
  const double scale = static_cast<double>(capture.width) / side;
  const Image scaled = eachPixel(side, [&](std::int32_t x, std::int32_t y, int c) {
    return std::round(sample(capture, (x + 0.5) * scale - 0.5, (y + 0.5) * scale - 0.5, c));
  });
  const Image across = eachPixel(side, [&](std::int32_t x, std::int32_t y, int c) {
    double value = std::round(0.2 * scaled.at(x, y, c));
    for (int i = 1; i <= 4; ++i) {
      for (const int way : {1, -1}) {
        value = add(value, 0.2 * sample(scaled, x + way * 0.0015 * i * fx * side, y, c));
      }
    }
    return value;
  });
  return eachPixel(side, [&](std::int32_t x, std::int32_t y, int c) {
    double value = across.at(x, y, c);
    for (int i = 1; i <= 4; ++i) {
      for (const int way : {1, -1}) {
        value = add(value, 0.2 * sample(across, x, y + way * 0.0015 * i * fy * side, c));
      }
    }
    return value;
  });
}

// The glow stretched over the window at 0.7 times the scene colour, the white wires added on top.
Image expectedFrame(const Image& glow, const Image& wires, Vec3 color) {
  Image frame = wires;
  const double tint[3] = {color.x, color.y, color.z};
  for (std::int32_t y = 0; y < wires.height; ++y) {
    for (std::int32_t x = 0; x < wires.width; ++x) {
      for (int c = 0; c < 3; ++c) {
        const double halo = sample(glow, (x + 0.5) * glow.width / wires.width - 0.5,
                                   (y + 0.5) * glow.height / wires.height - 0.5, c);
        frame.at(x, y, c) = add(std::round(0.7 * tint[c] * halo), wires.at(x, y, c));
      }
    }
  }
  return frame;
}

// The largest difference of two images of one size.
double largestDifference(const Image& a, const Image& b) {
  double largest = 0.0;
  for (std::size_t i = 0; i < a.values.size(); ++i) {
    largest = std::max(largest, std::abs(a.values[i] - b.values[i]));
  }
  return largest;
}

// In the modes with a halo, on square, wide and tall windows, and whatever matrices the caller
// left: the capture is the scene drawn into the corner square with half-pixel lines; the glow
// texture is what the blur makes of the capture; the frame is that glow, tinted and stretched,
// under the white wires at full size. WiresOnly shows the white wires alone.
TEST(Picture, GlowFollowsItsTapsWeightsAndTint) {
  const Vec3 tint{1.0f, 0.5f, 0.25f};
  for (const auto& [w, h] : {std::pair{256, 256}, {512, 384}, {384, 512}}) {
    SaverSurface saver(w, h);
    std::int32_t captureSide = 1;
    while (captureSide * 2 <= std::min(w, h)) captureSide *= 2;
    const double fx = w > h ? static_cast<double>(h) / w : 1.0;
    const double fy = h > w ? static_cast<double>(w) / h : 1.0;
    for (const auto& [mode, request] : {std::pair{GlowMode::LowQuality, GlowBlurRequest::Gl},
                                        {GlowMode::HighQuality, GlowBlurRequest::Gl},
                                        {GlowMode::WiresOnly, GlowBlurRequest::Gl},
                                        {GlowMode::LowQuality, GlowBlurRequest::Software},
                                        {GlowMode::HighQuality, GlowBlurRequest::Software}}) {
      const bool software = request == GlowBlurRequest::Software;
      SCOPED_TRACE(testing::Message() << w << "x" << h << " mode " << static_cast<int>(mode)
                                      << (software ? " software" : " GL"));
      saver.useGlow(mode, request);
      ASSERT_EQ(saver.textures.path, software ? GlowBlurPath::Software : GlowBlurPath::Gl);
      HandLaidScene laid(w, h, mode, tint);
      Scene& scene = layTrails(laid, View{w, h, 25.0f, -40.0f, 70.0f, -4.75f});
      glMatrixMode(GL_MODELVIEW);
      glLoadIdentity();
      glTranslatef(0.3f, -0.2f, 0.5f);
      glMatrixMode(GL_PROJECTION);
      glLoadIdentity();
      glOrtho(-2.0, 3.0, -1.0, 4.0, -5.0, 5.0);
      stripWidths.clear();
      saver.frame(scene);
      // Without a halo the small picture would be erased unseen: it is not drawn.
      const std::vector<GLfloat> widths = mode == GlowMode::WiresOnly
                                              ? std::vector<GLfloat>{1.0f, 1.0f}
                                              : std::vector<GLfloat>{0.5f, 0.5f, 1.0f, 1.0f};
      EXPECT_EQ(stripWidths, widths);
      const Image frame = framebufferImage(w, h);
      const std::int32_t blurSide = mode == GlowMode::LowQuality ? captureSide / 2 : captureSide;
      const Image capture = textureImage(saver.textures.names[GlowCaptureTexture], captureSide);
      const Image glow = textureImage(saver.textures.names[GlowBlurTexture], blurSide);

      glClear(GL_COLOR_BUFFER_BIT);
      glViewport(0, 0, captureSide, captureSide);
      glLineWidth(0.5f);
      drawScene(scene);
      const Image capturedScene = framebufferImage(captureSide, captureSide);
      glViewport(0, 0, w, h);
      glLineWidth(1.0f);
      scene.glowMode = GlowMode::None;
      scene.color = Vec3{1.0f, 1.0f, 1.0f};
      saver.frame(scene);
      const Image wires = framebufferImage(w, h);

      if (mode == GlowMode::WiresOnly) {
        EXPECT_EQ(largestDifference(frame, wires), 0.0);
        continue;
      }
      // The software path reads the capture back instead of copying it into its texture.
      if (!software) {
        EXPECT_EQ(largestDifference(capture, capturedScene), 0.0);
      }
      // Halving the square rounds each pixel once more, which the blur's gain of up to about
      // 4.7 can make 5 steps.
      EXPECT_LE(largestDifference(glow, expectedGlow(capturedScene, blurSide, fx, fy)),
                mode == GlowMode::LowQuality ? 5.0 : 1.0);
      EXPECT_LE(largestDifference(frame, expectedFrame(glow, wires, tint)), 1.0);
    }
  }
}

TEST(Picture, InactiveAndEmptyTrailsDrawNothingInAnyMode) {
  SaverSurface saver(256, 192);
  for (const GlowMode mode :
       {GlowMode::None, GlowMode::LowQuality, GlowMode::HighQuality, GlowMode::WiresOnly}) {
    HandLaidScene laid(256, 192, mode, Vec3{1.0f, 0.28f, 0.28f});
    laid.addTrail({{{0.3f, 0.5f, 0.5f}, 0}, {{0.5f, 0.5f, 0.5f}, 0}, {{0.7f, 0.5f, 0.5f}, 0}},
                  Vec3{0.8f, 0.5f, 0.5f}, 0);
    laid.addTrail({}, Vec3{0.5f, 0.5f, 0.5f}, 1);
    EXPECT_EQ(litCount(saver.frame(laid.scene())), 0) << static_cast<int>(mode);
  }
}

// The -fps figures stand in the bottom-left corner, 8 pixels in, upright: the first glyph, "F",
// appears row for row as the font gives it, scaled up alike in both directions.
TEST(Picture, FpsFiguresStandUprightInTheBottomLeftCorner) {
  constexpr int kWidth = 160, kHeight = 120;
  SaverSurface saver(kWidth, kHeight);
  glClear(GL_COLOR_BUFFER_BIT);
  drawFpsOverlay(0.0, kWidth, kHeight);
  const std::vector<Rgb> pixels = saver.pixels();  // bottom row first
  const auto lit = [&](int x, int y) {
    const Rgb& p = pixels[static_cast<std::size_t>(y * kWidth + x)];
    return p.r + p.g + p.b > 0;
  };
  int left = kWidth, bottom = kHeight, top = -1;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      if (!lit(x, y)) continue;
      left = std::min(left, x);
      bottom = std::min(bottom, y);
      top = std::max(top, y);
    }
  }
  ASSERT_EQ(left, 8);
  ASSERT_EQ(bottom, 8);
  const int scale = (top - bottom + 1) / FpsGlyphHeight;
  ASSERT_GE(scale, 1);
  ASSERT_EQ(top - bottom + 1, scale * FpsGlyphHeight);
  const std::uint8_t* f = fpsGlyph('F');
  for (int row = 0; row < FpsGlyphHeight; ++row) {
    for (int column = 0; column < FpsGlyphWidth; ++column) {
      const bool inked = (f[row] >> (FpsGlyphWidth - 1 - column)) & 1u;
      const int y = top - row * scale;  // the glyph's top row at the top
      EXPECT_EQ(lit(left + column * scale, y), inked) << "row " << row << " column " << column;
    }
  }
}

}  // namespace
