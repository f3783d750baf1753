#include "render/capture_read_back.h"
#include "render/es/es_record.h"
#include "render/glow_sizes.h"

namespace {

// The software path: the capture read back, blurred by the processor and sent into the halo
// texture. False, with the path set to the shaders for good, when the read-back fails.
bool BlurInSoftware(EsRecord& r, GlowAspectFactors aspect) {
  const EsGl& gl = r.gl;
  SoftwareBlur& blur = r.sized.software;
  const CaptureReadBack readBack{
      &gl,
      [](const void* calls) { return static_cast<const EsGl*>(calls)->GetError() != GL_NO_ERROR; },
      [](const void* calls, std::int32_t side, std::uint8_t* rgba) {
        const EsGl& es = *static_cast<const EsGl*>(calls);
        es.PixelStorei(GL_PACK_ALIGNMENT, 1);
        es.ReadPixels(0, 0, side, side, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
      }};
  if (!captureReadBackAndBlur(blur, readBack, aspect)) {
    r.sized.path = GlowBlurPath::Gl;
    return false;
  }
  gl.BindTexture(GL_TEXTURE_2D, r.sized.textures[kHalo]);
  gl.PixelStorei(GL_UNPACK_ALIGNMENT, 1);
  gl.TexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, blur.blurSide, blur.blurSide, GL_RED, GL_UNSIGNED_BYTE,
                   blur.halo);
  return true;
}

// An offset as the processor blur bounds it: within one side either way, 0 for no number.
float BoundedOffset(float offset, std::int32_t side) {
  const float limit = static_cast<float>(side);
  if (offset > limit) return limit;
  if (offset < -limit) return -limit;
  return offset == offset ? offset : 0.0f;
}

// One shader pass of the blur from a texture into a framebuffer of the blur square.
void BlurPass(const EsRecord& r, GLuint source, GLuint target, bool vertical, float factor) {
  const EsGl& gl = r.gl;
  const std::int32_t side = r.sized.blurSide;
  float offsets[2 * kGlowTapsPerSide];
  for (int i = 1; i <= kGlowTapsPerSide; ++i) {
    offsets[2 * i - 2] = BoundedOffset(glowTapOffset(i, factor) * static_cast<float>(side), side);
    offsets[2 * i - 1] = BoundedOffset(-glowTapOffset(i, factor) * static_cast<float>(side), side);
  }
  gl.BindFramebuffer(GL_FRAMEBUFFER, target);
  gl.UseProgram(r.blur.name);
  gl.Uniform1i(r.blur.uniforms[1], vertical ? 1 : 0);
  gl.Uniform1i(r.blur.uniforms[2], side);
  gl.Uniform1fv(r.blur.uniforms[3], 2 * kGlowTapsPerSide, offsets);
  gl.BindTexture(GL_TEXTURE_2D, source);
  esDrawQuad(r);
}

// The shader path: the capture (blitted to half size for the low-quality glow) blurred across
// and then down into the halo texture.
void BlurWithShaders(const EsRecord& r, GlowAspectFactors aspect) {
  const EsGl& gl = r.gl;
  const Sized& s = r.sized;
  GLuint source = s.textures[kCapture];
  if (s.blurSide != s.captureSide) {
    gl.BindFramebuffer(GL_READ_FRAMEBUFFER, s.framebuffers[kCapture]);
    gl.BindFramebuffer(GL_DRAW_FRAMEBUFFER, s.framebuffers[kSource]);
    gl.BlitFramebuffer(0, 0, s.captureSide, s.captureSide, 0, 0, s.blurSide, s.blurSide,
                       GL_COLOR_BUFFER_BIT, GL_LINEAR);
    source = s.textures[kSource];
  }
  gl.Disable(GL_BLEND);
  gl.Viewport(0, 0, s.blurSide, s.blurSide);
  BlurPass(r, source, s.framebuffers[kAcross], false, aspect.fx);
  BlurPass(r, s.textures[kAcross], s.framebuffers[kHalo], true, aspect.fy);
  gl.Enable(GL_BLEND);
}

}  // namespace

// The capture, the blur and the halo stretched over the window, tinted, into the target.
void esDrawHalo(EsRecord& r, const Scene& scene, const float matrix[16], GLsizei vertices,
                GLsizei copies, GLuint target, bool covered) {
  const EsGl& gl = r.gl;
  const Sized& s = r.sized;
  const GlowAspectFactors aspect = glowAspectFactors(r.width, r.height);
  gl.BindFramebuffer(GL_FRAMEBUFFER, s.framebuffers[kCapture]);
  gl.Viewport(0, 0, s.captureSide, s.captureSide);
  gl.Clear(GL_COLOR_BUFFER_BIT);
  esDrawLines(r, matrix, vertices, copies, Vec3{1.0f, 1.0f, 1.0f}, s.captureSide, s.captureSide,
              false);
  const bool software = s.path == GlowBlurPath::Software && BlurInSoftware(r, aspect);
  if (!software) BlurWithShaders(r, aspect);

  gl.BindFramebuffer(GL_FRAMEBUFFER, target);
  gl.Viewport(0, 0, r.width, r.height);
  gl.UseProgram(r.composite.name);
  gl.Uniform4f(r.composite.uniforms[1], scene.color.x, scene.color.y, scene.color.z, kTintAlpha);
  gl.Uniform1f(r.composite.uniforms[2], static_cast<float>(s.blurSide));
  gl.BindTexture(GL_TEXTURE_2D, s.textures[kHalo]);
  // Added to black, the processor's halo changes only the colours of the pixels its lit texels
  // reach: into a single-sampled target the quad is drawn over those bands alone (glow_sizes),
  // the same colours byte for byte. A multisampled target (a graphics card's, where the whole
  // quad costs little) takes the whole quad: scissored there, llvmpipe's colours differ.
  if (!software || covered) {
    esDrawQuad(r);
    return;
  }
  GlowBand bands[kGlowMaxRects];
  const SoftwareBlur& blur = s.software;
  const int count = glowCompositeBands(GlowHaloMap{blur.haloSpans, blur.haloCells, blur.blurSide},
                                       r.width, r.height, bands);
  gl.Enable(GL_SCISSOR_TEST);
  for (int i = 0; i < count; ++i) {
    gl.Scissor(bands[i].x, bands[i].y, bands[i].width, bands[i].height);
    esDrawQuad(r);
  }
  gl.Disable(GL_SCISSOR_TEST);
}
