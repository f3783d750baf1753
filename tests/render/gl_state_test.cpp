// The GL state each drawing routine leaves behind, the glow textures it makes, the line strips
// it emits (seen through GL's feedback mode), and windows too small for a halo.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "render/gl11/gl_api.h"
#include "render/gl11/glow_pass.h"
#include "render/gl11/wire_drawing.h"
#include "tests/render/render_fixture.h"
#include "tests/render/test_scenes.h"

namespace {

using Matrix = std::array<GLfloat, 16>;

Matrix matrixOf(GLenum which) {
  Matrix m{};
  glGetFloatv(which, m.data());
  return m;
}

GLint integerOf(GLenum which) {
  GLint value = 0;
  glGetIntegerv(which, &value);
  return value;
}

// Recognisable matrices on both stacks, and state unlike what the routines leave.
void disturbState(std::int32_t width, std::int32_t height) {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(-3.0, 5.0, -2.0, 7.0, -1.0, 9.0);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glTranslatef(1.0f, 2.0f, 3.0f);
  glBlendFunc(GL_ZERO, GL_ZERO);
  glDisable(GL_BLEND);
  glDisable(GL_TEXTURE_2D);
  glEnable(GL_LINE_SMOOTH);
  glLineWidth(3.0f);
  glViewport(0, 0, width, height);
  glBindTexture(GL_TEXTURE_2D, 0);
}

// What every drawing pass leaves, with the matrices it found.
void expectPassState(const Matrix& projection, const Matrix& modelview) {
  EXPECT_EQ(integerOf(GL_MATRIX_MODE), GL_PROJECTION);
  EXPECT_EQ(integerOf(GL_PROJECTION_STACK_DEPTH), 1);
  EXPECT_EQ(integerOf(GL_MODELVIEW_STACK_DEPTH), 1);
  EXPECT_EQ(matrixOf(GL_PROJECTION_MATRIX), projection);
  EXPECT_EQ(matrixOf(GL_MODELVIEW_MATRIX), modelview);
  EXPECT_TRUE(glIsEnabled(GL_BLEND));
  EXPECT_EQ(integerOf(GL_BLEND_SRC), GL_SRC_ALPHA);
  EXPECT_EQ(integerOf(GL_BLEND_DST), GL_ONE);
  EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
  EXPECT_FALSE(glIsEnabled(GL_LINE_SMOOTH));
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

struct Size {
  std::int32_t width, height;
};

// Ordinary sizes, and windows too small for a halo or without any pixels.
const Size kSizes[] = {{256, 192}, {192, 256}, {0, 0}, {1, 1}, {100, 0},
                       {0, 100},   {1, 300},   {2, 2}, {3, 5}};

TEST(DrawingState, EachRoutineLeavesItsStateInEveryModeAndSize) {
  for (const Size size : kSizes) {
    SaverSurface saver(size.width, size.height);
    for (const GlowMode mode :
         {GlowMode::None, GlowMode::LowQuality, GlowMode::HighQuality, GlowMode::WiresOnly}) {
      SCOPED_TRACE(std::to_string(size.width) + "x" + std::to_string(size.height) + " mode " +
                   std::to_string(static_cast<int>(mode)));
      HandLaidScene laid(size.width, size.height, mode, Vec3{0.8f, 0.6f, 0.0f});
      laid.addStraightTrail(Vec3{0.2f, 0.3f, 0.5f}, Vec3{0.02f, 0.01f, 0.0f}, 30);
      disturbState(size.width, size.height);
      const Matrix projection = matrixOf(GL_PROJECTION_MATRIX);
      const Matrix modelview = matrixOf(GL_MODELVIEW_MATRIX);

      drawScene(laid.scene());
      expectPassState(projection, modelview);

      disturbState(size.width, size.height);
      drawTrails(laid.scene().trails, Vec3{1.0f, 1.0f, 1.0f}, 1);
      EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
      EXPECT_FALSE(glIsEnabled(GL_LINE_SMOOTH));
      EXPECT_EQ(integerOf(GL_BLEND_DST), GL_ONE);

      disturbState(size.width, size.height);
      renderWithGlow(laid.scene(), saver.textures);
      expectPassState(projection, modelview);
      GLfloat lineWidth = 0.0f;
      glGetFloatv(GL_LINE_WIDTH, &lineWidth);
      EXPECT_EQ(lineWidth,
                mode == GlowMode::None ? 3.0f : 1.0f);  // glow off leaves it to the caller
      GLint viewport[4];
      glGetIntegerv(GL_VIEWPORT, viewport);
      EXPECT_EQ(viewport[2], size.width);
      EXPECT_EQ(viewport[3], size.height);
      if (mode == GlowMode::LowQuality || mode == GlowMode::HighQuality) {
        EXPECT_EQ(integerOf(GL_TEXTURE_BINDING_2D),
                  static_cast<GLint>(saver.textures.names[GlowBlurTexture]));
      }
    }
  }
}

TEST(GlowTextureCreation, TwoClampedLinearSquaresOfTheCaptureSizeEvenForTinyWindows) {
  for (const Size size : {Size{152, 112}, Size{1, 1}, Size{0, 0}, Size{100, 0}}) {
    SCOPED_TRACE(std::to_string(size.width) + "x" + std::to_string(size.height));
    SaverSurface saver(size.width, size.height);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    GlowTextures textures{};
    createGlowTextures(textures, size.width, size.height, GlowMode::HighQuality,
                       GlowBlurRequest::Gl);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    EXPECT_NE(textures.names[GlowCaptureTexture], textures.names[GlowBlurTexture]);
    EXPECT_EQ(integerOf(GL_TEXTURE_BINDING_2D),
              static_cast<GLint>(textures.names[GlowBlurTexture]));
    EXPECT_EQ(integerOf(GL_UNPACK_ALIGNMENT), 1);
    for (const GLuint name : textures.names) {
      ASSERT_NE(name, 0u);
      glBindTexture(GL_TEXTURE_2D, name);
      GLint value[6] = {};
      glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &value[0]);
      glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &value[1]);
      glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &value[2]);
      glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, &value[3]);
      glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &value[4]);
      glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &value[5]);
      const GLint side = size.width == 152 ? 64 : 1;
      EXPECT_EQ(std::vector<GLint>(value, value + 6),
                (std::vector<GLint>{side, side, GL_CLAMP, GL_CLAMP, GL_LINEAR, GL_LINEAR}));
    }
    releaseGlowTextures(textures);
  }
}

// ---- The strips, captured with GL's feedback mode under identity matrices. ----

struct FedVertex {
  GLfloat x, y, z, alpha;  // window coordinates of a 100 x 100 viewport, depth 0 to 1
};
using Segment = std::array<FedVertex, 2>;

std::vector<Segment> feedbackSegments(const TrailSet& trails, std::int32_t symmetry) {
  std::vector<GLfloat> buffer(65536);
  glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D_COLOR, buffer.data());
  glRenderMode(GL_FEEDBACK);
  drawTrails(trails, Vec3{1.0f, 1.0f, 1.0f}, symmetry);
  const GLint used = glRenderMode(GL_RENDER);
  std::vector<Segment> segments;
  for (GLint i = 0; i + 15 <= used; i += 15) {  // token, then x y z r g b a twice
    EXPECT_TRUE(buffer[i] == GL_LINE_TOKEN || buffer[i] == GL_LINE_RESET_TOKEN);
    const GLfloat* f = &buffer[static_cast<std::size_t>(i) + 1];
    segments.push_back(
        Segment{FedVertex{f[0], f[1], f[2], f[6]}, FedVertex{f[7], f[8], f[9], f[13]}});
  }
  return segments;
}

TEST(TrailStrips, BreaksSplitTheStripAndTheTransparentHeadEndsIt) {
  SaverSurface saver(100, 100);
  HandLaidScene laid(100, 100, GlowMode::None, Vec3{1.0f, 1.0f, 1.0f});
  // Four points, a break after the second, the head half a spacing past the newest.
  laid.addTrail({{{0.10f, 0.5f, 0.5f}, 0},
                 {{0.12f, 0.5f, 0.5f}, 1},
                 {{0.50f, 0.5f, 0.5f}, 0},
                 {{0.52f, 0.5f, 0.5f}, 0}},
                Vec3{0.53f, 0.5f, 0.5f});
  laid.addTrail({{{0.3f, 0.2f, 0.5f}, 0}}, Vec3{0.3f, 0.21f, 0.5f});  // one point
  laid.addTrail({{{0.3f, 0.8f, 0.5f}, 0}, {{0.32f, 0.8f, 0.5f}, 0}}, Vec3{0.33f, 0.8f, 0.5f},
                0);  // inactive
  const std::vector<Segment> s = feedbackSegments(laid.scene().trails, 0);

  // [p0 p1] | [p2 p3 head] | [q0 head]: nothing joins p1 to p2.
  ASSERT_EQ(s.size(), 4u);
  EXPECT_NEAR(s[0][1].x, 56.0f, 0.01f);
  EXPECT_NEAR(s[1][0].x, 75.0f, 0.01f);
  EXPECT_NEAR(s[2][1].x, 76.5f, 0.01f);
  // The break point and the one after it are transparent, the tip is at half strength.
  const float alphas[] = {0.0f, 0.0f, 0.0f, 0.5f, 0.5f, 0.0f, 0.0f, 0.0f};
  for (int k = 0; k < 8; ++k) EXPECT_NEAR(s[k / 2][k % 2].alpha, alphas[k], 1e-3f) << k;
}

TEST(TrailStrips, SymmetryDrawsEightMirroredCopies) {
  SaverSurface saver(100, 100);
  HandLaidScene laid(100, 100, GlowMode::None, Vec3{1.0f, 1.0f, 1.0f});
  laid.addTrail({{{0.2f, 0.1f, 0.3f}, 0}}, Vec3{0.2f, 0.12f, 0.3f});
  const std::vector<Segment> s = feedbackSegments(laid.scene().trails, 1);
  ASSERT_EQ(s.size(), 8u);
  // Copy j mirrors x with bit 0, y with bit 1 and z with bit 2.
  for (unsigned j = 0; j < 8; ++j) {
    EXPECT_NEAR(s[j][0].x, (j & 1u) != 0 ? 90.0f : 60.0f, 0.01f) << j;
    EXPECT_NEAR(s[j][0].y, (j & 2u) != 0 ? 95.0f : 55.0f, 0.01f) << j;
    EXPECT_NEAR(s[j][0].z, (j & 4u) != 0 ? 0.85f : 0.65f, 0.001f) << j;
  }
}

}  // namespace
