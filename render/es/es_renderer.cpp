#include "render/es/es_renderer.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>

#include "render/es/es_gl.h"
#include "render/es/es_scene.h"
#include "render/fps_overlay.h"
#include "render/glow_sizes.h"
#include "render/software_blur.h"

namespace {

constexpr float kTintAlpha = 0.7f;

// The figures' glyphs side by side in one texture, each drawn twice its size.
constexpr char kGlyphOrder[] = "0123456789.: FPS";
constexpr int kGlyphCount = sizeof kGlyphOrder - 1;
constexpr int kFigureScale = 2;
constexpr int kGlyphPixelsWide = FpsGlyphWidth * kFigureScale;
constexpr int kGlyphPixelsHigh = FpsGlyphHeight * kFigureScale;
constexpr int kFigureAdvance = (FpsGlyphWidth + 1) * kFigureScale;
constexpr int kFigureOrigin = 8;
constexpr int kTextCapacity = 32;
constexpr int kVerticesPerFigure = 6;

enum Attribute : GLuint { kPosition = 0, kOtherEnd = 1 };

// A line's alpha is raised by its length over its longer side on the screen: an unsmoothed line
// lights one pixel per step along that side, where a smoothed one covers its whole length. A
// zero viewport leaves the alpha as it is (see DrawLines).
const char kLineVertex[] = R"(#version 300 es
layout(location = 0) in vec4 aPoint;
layout(location = 1) in vec3 aOther;
uniform mat4 uMatrix;
uniform vec3 uColor;
uniform vec2 uViewport;
out vec4 vColor;
vec4 place(vec3 p) {
  if ((gl_InstanceID & 1) != 0) p.x = 1.0 - p.x;
  if ((gl_InstanceID & 2) != 0) p.y = 1.0 - p.y;
  if ((gl_InstanceID & 4) != 0) p.z = 1.0 - p.z;
  return uMatrix * vec4(p, 1.0);
}
void main() {
  vec4 here = place(aPoint.xyz);
  vec4 there = place(aOther);
  vec2 step = (here.xy / here.w - there.xy / there.w) * uViewport;
  float longer = max(abs(step.x), abs(step.y));
  float share = longer > 0.0 ? length(step) / longer : 1.0;
  gl_Position = here;
  vColor = vec4(uColor, aPoint.w * share);
}
)";

const char kColorFragment[] = R"(#version 300 es
precision highp float;
in vec4 vColor;
out vec4 outColor;
void main() { outColor = vColor; }
)";

// The unit square over the viewport, texture coordinates with it.
const char kQuadVertex[] = R"(#version 300 es
layout(location = 0) in vec2 aCorner;
out vec2 vTexture;
void main() {
  vTexture = aCorner;
  gl_Position = vec4(aCorner * 2.0 - 1.0, 0.0, 1.0);
}
)";

// One direction of the blur, by the processor blur's rules: each tap a linear sample clamped to
// the square and black beyond it, scaled by 0.2 and rounded to 8 bits; the horizontal pass takes
// a fifth of the pixel itself (from the capture's green), the vertical one all of it (from the
// horizontal result's red); the sum saturates.
const char kBlurFragment[] = R"(#version 300 es
precision highp float;
precision highp int;
uniform highp sampler2D uSource;
uniform int uVertical;
uniform int uSide;
uniform float uOffsets[8];
out vec4 outColor;
float level(ivec2 p) {
  if (p.x < 0 || p.y < 0 || p.x >= uSide || p.y >= uSide) return 0.0;
  vec4 t = texelFetch(uSource, p, 0);
  return floor((uVertical != 0 ? t.r : t.g) * 255.0 + 0.5);
}
void main() {
  ivec2 here = ivec2(gl_FragCoord.xy);
  ivec2 axis = uVertical != 0 ? ivec2(0, 1) : ivec2(1, 0);
  int position = uVertical != 0 ? here.y : here.x;
  float own = level(here);
  float sum = uVertical != 0 ? own : roundEven(own * 0.2);
  for (int tap = 0; tap < 8; ++tap) {
    float u = clamp(float(position) + uOffsets[tap], -0.5, float(uSide) - 0.5);
    float below = floor(u);
    ivec2 a = here + axis * (int(below) - position);
    float first = level(a);
    float value = first + (u - below) * (level(a + axis) - first);
    sum += roundEven(value * 0.2);
  }
  outColor = vec4(min(sum, 255.0) / 255.0, 0.0, 0.0, 1.0);
}
)";

// The halo stretched over the window, tinted; beyond the texture's edge it fades to black, as
// the GL 1.1 renderer's clamped texture does.
const char kCompositeFragment[] = R"(#version 300 es
precision highp float;
uniform sampler2D uHalo;
uniform vec4 uTint;
uniform float uSide;
in vec2 vTexture;
out vec4 outColor;
void main() {
  vec2 p = vTexture * uSide;
  vec2 edge = clamp(p + 0.5, 0.0, 1.0) * clamp(uSide + 0.5 - p, 0.0, 1.0);
  float halo = texture(uHalo, vTexture).r * edge.x * edge.y;
  outColor = vec4(uTint.rgb * halo, uTint.a);
}
)";

const char kFigureVertex[] = R"(#version 300 es
layout(location = 0) in vec4 aFigure;
uniform vec2 uSize;
out vec2 vTexel;
void main() {
  vTexel = aFigure.zw;
  gl_Position = vec4(aFigure.xy / uSize * 2.0 - 1.0, 0.0, 1.0);
}
)";

const char kFigureFragment[] = R"(#version 300 es
precision highp float;
uniform highp sampler2D uGlyphs;
in vec2 vTexel;
out vec4 outColor;
void main() {
  if (texelFetch(uGlyphs, ivec2(vTexel), 0).r < 0.5) discard;
  outColor = vec4(1.0);
}
)";

struct Program {
  GLuint name;
  GLint uniforms[4];
};

// What one size of window needs: the squares, their textures and framebuffers.
struct Sized {
  std::int32_t captureSide;
  std::int32_t blurSide;
  GlowBlurPath path;
  SoftwareBlur software;
  GLuint textures[4];  // capture (RGBA), half-size source (RGBA), across (R8), halo (R8)
  GLuint framebuffers[4];
};

enum SizedIndex : int { kCapture = 0, kSource = 1, kAcross = 2, kHalo = 3 };

struct EsRecord {
  EsGl gl;
  bool softwareRenderer;
  Program line;       // uMatrix, uColor, uViewport
  Program blur;       // uSource, uVertical, uSide, uOffsets
  Program composite;  // uHalo, uTint, uSide
  Program figure;     // uGlyphs, uSize
  GLuint arrays[3];   // lines, quad, figures
  GLuint buffers[3];
  GLuint glyphs;
  std::uint32_t lineCapacity;  // vertices the line buffer and lineVertices hold
  EsLineVertex* lineVertices;
  float figureVertices[kTextCapacity * kVerticesPerFigure * 4];
  std::int32_t width;
  std::int32_t height;
  GlowMode glowMode;
  GlowBlurRequest request;
  Sized sized;
};

EsRecord& Record(void* record) { return *static_cast<EsRecord*>(record); }

GLuint Compile(const EsGl& gl, GLenum kind, const char* source) {
  const GLuint shader = gl.CreateShader(kind);
  gl.ShaderSource(shader, 1, &source, nullptr);
  gl.CompileShader(shader);
  GLint compiled = GL_FALSE;
  gl.GetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
  if (compiled != GL_TRUE) {
    char log[512] = {};
    gl.GetShaderInfoLog(shader, sizeof log, nullptr, log);
    std::fprintf(stderr, "quellwire: a shader did not compile: %s\n", log);
  }
  return shader;
}

bool Link(const EsGl& gl, Program& program, const char* vertex, const char* fragment,
          const char* const* uniforms, int uniformCount) {
  program.name = gl.CreateProgram();
  const GLuint shaders[2] = {Compile(gl, GL_VERTEX_SHADER, vertex),
                             Compile(gl, GL_FRAGMENT_SHADER, fragment)};
  for (const GLuint shader : shaders) gl.AttachShader(program.name, shader);
  gl.LinkProgram(program.name);
  for (const GLuint shader : shaders) gl.DeleteShader(shader);
  GLint linked = GL_FALSE;
  gl.GetProgramiv(program.name, GL_LINK_STATUS, &linked);
  if (linked != GL_TRUE) {
    char log[512] = {};
    gl.GetProgramInfoLog(program.name, sizeof log, nullptr, log);
    std::fprintf(stderr, "quellwire: a shader program did not link: %s\n", log);
    return false;
  }
  for (int i = 0; i < uniformCount; ++i) {
    program.uniforms[i] = gl.GetUniformLocation(program.name, uniforms[i]);
  }
  return true;
}

void MakeTexture(const EsGl& gl, GLuint name, GLint internalFormat, GLenum format,
                 std::int32_t width, std::int32_t height, GLint filter) {
  gl.BindTexture(GL_TEXTURE_2D, name);
  gl.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
  gl.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
  gl.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
  gl.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
  gl.TexImage2D(GL_TEXTURE_2D, 0, internalFormat, width, height, 0, format, GL_UNSIGNED_BYTE,
                nullptr);
}

// The glyph texture: each glyph's rows doubled both ways, bottom row first.
void MakeGlyphs(EsRecord& r) {
  constexpr int kWide = kGlyphCount * kGlyphPixelsWide;
  std::uint8_t pixels[kWide * kGlyphPixelsHigh] = {};
  for (int g = 0; g < kGlyphCount; ++g) {
    const std::uint8_t* rows = fpsGlyph(kGlyphOrder[g]);
    for (int y = 0; y < kGlyphPixelsHigh; ++y) {
      const int row = FpsGlyphHeight - 1 - y / kFigureScale;
      for (int x = 0; x < kGlyphPixelsWide; ++x) {
        const int column = x / kFigureScale;
        if ((rows[row] >> (FpsGlyphWidth - 1 - column)) & 1u) {
          pixels[y * kWide + g * kGlyphPixelsWide + x] = 255;
        }
      }
    }
  }
  r.gl.GenTextures(1, &r.glyphs);
  MakeTexture(r.gl, r.glyphs, GL_R8, GL_RED, kWide, kGlyphPixelsHigh, GL_NEAREST);
  r.gl.PixelStorei(GL_UNPACK_ALIGNMENT, 1);
  r.gl.TexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, kWide, kGlyphPixelsHigh, GL_RED, GL_UNSIGNED_BYTE,
                     pixels);
}

void AttachTexture(const EsGl& gl, GLuint framebuffer, GLuint texture) {
  gl.BindFramebuffer(GL_FRAMEBUFFER, framebuffer);
  gl.FramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, texture, 0);
}

// The squares, textures and framebuffers for the recorded size; the blur path settled.
void MakeSized(EsRecord& r) {
  const EsGl& gl = r.gl;
  Sized& s = r.sized;
  s = Sized{};
  s.captureSide = glowCaptureSize(r.width, r.height);
  s.blurSide = glowBlurSize(r.width, r.height, r.glowMode);
  s.path = chooseGlowBlurPath(r.request, r.softwareRenderer);
  if (s.path == GlowBlurPath::Software &&
      !(glowHasHalo(r.glowMode) && softwareBlurInit(s.software, s.captureSide, s.blurSide))) {
    s.path = GlowBlurPath::Gl;
  }
  GLint target = 0;
  gl.GetIntegerv(GL_FRAMEBUFFER_BINDING, &target);
  gl.GenTextures(4, s.textures);
  gl.GenFramebuffers(4, s.framebuffers);
  MakeTexture(gl, s.textures[kCapture], GL_RGBA8, GL_RGBA, s.captureSide, s.captureSide,
              GL_NEAREST);
  MakeTexture(gl, s.textures[kSource], GL_RGBA8, GL_RGBA, s.blurSide, s.blurSide, GL_NEAREST);
  MakeTexture(gl, s.textures[kAcross], GL_R8, GL_RED, s.blurSide, s.blurSide, GL_NEAREST);
  MakeTexture(gl, s.textures[kHalo], GL_R8, GL_RED, s.blurSide, s.blurSide, GL_LINEAR);
  for (int i = 0; i < 4; ++i) AttachTexture(gl, s.framebuffers[i], s.textures[i]);
  gl.BindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(target));
}

void ReleaseSized(EsRecord& r) {
  r.gl.DeleteFramebuffers(4, r.sized.framebuffers);
  r.gl.DeleteTextures(4, r.sized.textures);
  softwareBlurRelease(r.sized.software);
  r.sized = Sized{};
}

void SetupQuadAndBuffers(EsRecord& r) {
  const EsGl& gl = r.gl;
  gl.GenVertexArrays(3, r.arrays);
  gl.GenBuffers(3, r.buffers);
  // Lines: x, y, z and alpha; the buffer is sized at the first frame, for the scene's trails.
  gl.BindVertexArray(r.arrays[0]);
  gl.BindBuffer(GL_ARRAY_BUFFER, r.buffers[0]);
  gl.EnableVertexAttribArray(kPosition);
  gl.VertexAttribPointer(kPosition, 4, GL_FLOAT, GL_FALSE, sizeof(EsLineVertex), nullptr);
  gl.EnableVertexAttribArray(kOtherEnd);
  gl.VertexAttribPointer(kOtherEnd, 3, GL_FLOAT, GL_FALSE, sizeof(EsLineVertex),
                         reinterpret_cast<const void*>(offsetof(EsLineVertex, otherX)));
  // The unit square as a strip.
  static const float kCorners[8] = {0.0f, 0.0f, 1.0f, 0.0f, 0.0f, 1.0f, 1.0f, 1.0f};
  gl.BindVertexArray(r.arrays[1]);
  gl.BindBuffer(GL_ARRAY_BUFFER, r.buffers[1]);
  gl.BufferData(GL_ARRAY_BUFFER, sizeof kCorners, kCorners, GL_STATIC_DRAW);
  gl.EnableVertexAttribArray(kPosition);
  gl.VertexAttribPointer(kPosition, 2, GL_FLOAT, GL_FALSE, 2 * sizeof(float), nullptr);
  // The figures: a pixel position and a glyph texel for each corner.
  gl.BindVertexArray(r.arrays[2]);
  gl.BindBuffer(GL_ARRAY_BUFFER, r.buffers[2]);
  gl.BufferData(GL_ARRAY_BUFFER, sizeof r.figureVertices, nullptr, GL_DYNAMIC_DRAW);
  gl.EnableVertexAttribArray(kPosition);
  gl.VertexAttribPointer(kPosition, 4, GL_FLOAT, GL_FALSE, 4 * sizeof(float), nullptr);
  gl.BindVertexArray(0);
}

bool LinkPrograms(EsRecord& r) {
  static const char* const kLine[] = {"uMatrix", "uColor", "uViewport"};
  static const char* const kBlur[] = {"uSource", "uVertical", "uSide", "uOffsets"};
  static const char* const kComposite[] = {"uHalo", "uTint", "uSide"};
  static const char* const kFigure[] = {"uGlyphs", "uSize"};
  return Link(r.gl, r.line, kLineVertex, kColorFragment, kLine, 3) &&
         Link(r.gl, r.blur, kQuadVertex, kBlurFragment, kBlur, 4) &&
         Link(r.gl, r.composite, kQuadVertex, kCompositeFragment, kComposite, 3) &&
         Link(r.gl, r.figure, kFigureVertex, kFigureFragment, kFigure, 2);
}

void DeleteAll(EsRecord& r) {
  const EsGl& gl = r.gl;
  ReleaseSized(r);
  for (Program* p : {&r.line, &r.blur, &r.composite, &r.figure}) {
    if (p->name != 0) gl.DeleteProgram(p->name);
  }
  gl.DeleteVertexArrays(3, r.arrays);
  gl.DeleteBuffers(3, r.buffers);
  gl.DeleteTextures(1, &r.glyphs);
}

void FreeRecord(void*& record) {
  EsRecord* r = static_cast<EsRecord*>(record);
  if (r != nullptr) {
    softwareBlurRelease(r->sized.software);
    std::free(r->lineVertices);
    std::free(r);
  }
  record = nullptr;
}

bool Create(void*& record, const RendererSetup& setup) {
  EsRecord* r = static_cast<EsRecord*>(std::calloc(1, sizeof(EsRecord)));
  record = r;
  if (r == nullptr) return false;
  if (!esGlLoad(r->gl)) {
    FreeRecord(record);
    return false;
  }
  const EsGl& gl = r->gl;
  r->softwareRenderer =
      isSoftwareRenderer(reinterpret_cast<const char*>(gl.GetString(GL_RENDERER)));
  r->width = setup.width;
  r->height = setup.height;
  r->glowMode = setup.glowMode;
  r->request = setup.blurRequest;
  if (!LinkPrograms(*r)) {
    DeleteAll(*r);
    FreeRecord(record);
    return false;
  }
  SetupQuadAndBuffers(*r);
  MakeGlyphs(*r);
  MakeSized(*r);
  gl.UseProgram(r->blur.name);
  gl.Uniform1i(r->blur.uniforms[0], 0);
  gl.UseProgram(r->composite.name);
  gl.Uniform1i(r->composite.uniforms[0], 0);
  gl.UseProgram(r->figure.name);
  gl.Uniform1i(r->figure.uniforms[0], 0);
  gl.ActiveTexture(GL_TEXTURE0);
  gl.Viewport(0, 0, setup.width > 0 ? setup.width : 0, setup.height > 0 ? setup.height : 0);
  gl.ClearColor(0.0f, 0.0f, 0.0f, 0.0f);
  gl.Clear(GL_COLOR_BUFFER_BIT);
  return true;
}

void Resize(void* record, const RendererSetup& setup) {
  EsRecord& r = Record(record);
  r.width = setup.width;
  r.height = setup.height;
  r.glowMode = setup.glowMode;
  r.request = setup.blurRequest;
  ReleaseSized(r);
  MakeSized(r);
}

// Room for every vertex the scene's trails can need, taken at the first frame of a scene (its
// trails keep their sizes for its life).
bool HoldLines(EsRecord& r, const Scene& scene) {
  const std::uint32_t needed = esLineVertexCapacity(scene.trails);
  if (needed <= r.lineCapacity) return true;
  auto* vertices = static_cast<EsLineVertex*>(std::malloc(sizeof(EsLineVertex) * needed));
  if (vertices == nullptr) return false;
  std::free(r.lineVertices);
  r.lineVertices = vertices;
  r.lineCapacity = needed;
  r.gl.BindBuffer(GL_ARRAY_BUFFER, r.buffers[0]);
  r.gl.BufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(sizeof(EsLineVertex) * needed), nullptr,
                  GL_STREAM_DRAW);
  return true;
}

// One line pass of every trail from the line buffer, in a colour, into a viewport of width x height
// pixels. Into a multisampled picture (`covered`) a line is a 1-pixel-wide band whose samples
// light each pixel by the share of the band in it, which sums to the line's length along its
// longer side, as a smoothed line does: its alpha needs no raising there. The captures are never
// multisampled.
void DrawLines(const EsRecord& r, const float matrix[16], GLsizei vertexCount, GLsizei copies,
               Vec3 color, std::int32_t width, std::int32_t height, bool covered) {
  if (vertexCount == 0) return;
  const EsGl& gl = r.gl;
  gl.UseProgram(r.line.name);
  gl.UniformMatrix4fv(r.line.uniforms[0], 1, GL_FALSE, matrix);
  gl.Uniform3f(r.line.uniforms[1], color.x, color.y, color.z);
  gl.Uniform2f(r.line.uniforms[2], covered ? 0.0f : static_cast<float>(width),
               covered ? 0.0f : static_cast<float>(height));
  gl.BindVertexArray(r.arrays[0]);
  gl.DrawArraysInstanced(GL_LINES, 0, vertexCount, copies);
}

void DrawQuad(const EsRecord& r) {
  r.gl.BindVertexArray(r.arrays[1]);
  r.gl.DrawArrays(GL_TRIANGLE_STRIP, 0, 4);
}

// The software path: the capture read back, blurred by the processor and sent into the halo
// texture. False, with the path set to the shaders for good, when the read-back fails.
bool BlurInSoftware(EsRecord& r, GlowAspectFactors aspect) {
  const EsGl& gl = r.gl;
  SoftwareBlur& blur = r.sized.software;
  for (int kind = 0; kind < 8 && gl.GetError() != GL_NO_ERROR; ++kind) {
  }
  gl.PixelStorei(GL_PACK_ALIGNMENT, 1);
  gl.ReadPixels(0, 0, blur.captureSide, blur.captureSide, GL_RGBA, GL_UNSIGNED_BYTE, blur.capture);
  if (gl.GetError() != GL_NO_ERROR) {
    softwareBlurRelease(blur);
    r.sized.path = GlowBlurPath::Gl;
    return false;
  }
  softwareBlurRunForAspect(blur, aspect);
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
  DrawQuad(r);
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

// The capture, the blur and the halo stretched over the window, tinted, into the target.
void DrawHalo(EsRecord& r, const Scene& scene, const float matrix[16], GLsizei vertices,
              GLsizei copies, GLuint target) {
  const EsGl& gl = r.gl;
  const Sized& s = r.sized;
  const GlowAspectFactors aspect = glowAspectFactors(r.width, r.height);
  gl.BindFramebuffer(GL_FRAMEBUFFER, s.framebuffers[kCapture]);
  gl.Viewport(0, 0, s.captureSide, s.captureSide);
  gl.Clear(GL_COLOR_BUFFER_BIT);
  DrawLines(r, matrix, vertices, copies, Vec3{1.0f, 1.0f, 1.0f}, s.captureSide, s.captureSide,
            false);
  const bool software = s.path == GlowBlurPath::Software && BlurInSoftware(r, aspect);
  if (!software) BlurWithShaders(r, aspect);

  gl.BindFramebuffer(GL_FRAMEBUFFER, target);
  gl.Viewport(0, 0, r.width, r.height);
  gl.UseProgram(r.composite.name);
  gl.Uniform4f(r.composite.uniforms[1], scene.color.x, scene.color.y, scene.color.z, kTintAlpha);
  gl.Uniform1f(r.composite.uniforms[2], static_cast<float>(s.blurSide));
  gl.BindTexture(GL_TEXTURE_2D, s.textures[kHalo]);
  if (!software) {
    DrawQuad(r);
    return;
  }
  // Added to black, the processor's halo changes only the pixels its lit texels reach: the quad
  // is drawn over those bands alone (glow_sizes), the same pixels byte for byte.
  GlowBand bands[kGlowMaxRects];
  const SoftwareBlur& blur = s.software;
  const int count = glowCompositeBands(GlowHaloMap{blur.haloSpans, blur.haloCells, blur.blurSide},
                                       r.width, r.height, bands);
  gl.Enable(GL_SCISSOR_TEST);
  for (int i = 0; i < count; ++i) {
    gl.Scissor(bands[i].x, bands[i].y, bands[i].width, bands[i].height);
    DrawQuad(r);
  }
  gl.Disable(GL_SCISSOR_TEST);
}

void DrawFigures(EsRecord& r, double framesPerSecond) {
  const EsGl& gl = r.gl;
  char text[kTextCapacity];
  const std::size_t length = formatFpsText(text, sizeof text, framesPerSecond);
  float* v = r.figureVertices;
  int figures = 0;
  for (std::size_t i = 0; i < length; ++i) {
    int glyph = 0;
    while (glyph < kGlyphCount && kGlyphOrder[glyph] != text[i]) ++glyph;
    if (glyph == kGlyphCount) continue;
    const float x0 = static_cast<float>(kFigureOrigin + figures * kFigureAdvance);
    const float y0 = static_cast<float>(kFigureOrigin);
    const float u0 = static_cast<float>(glyph * kGlyphPixelsWide);
    const float corners[kVerticesPerFigure][2] = {{0, 0}, {1, 0}, {0, 1}, {0, 1}, {1, 0}, {1, 1}};
    for (const auto& c : corners) {
      *v++ = x0 + c[0] * kGlyphPixelsWide;
      *v++ = y0 + c[1] * kGlyphPixelsHigh;
      *v++ = u0 + c[0] * kGlyphPixelsWide;
      *v++ = c[1] * kGlyphPixelsHigh;
    }
    ++figures;
  }
  if (figures == 0) return;
  gl.Viewport(0, 0, r.width > 0 ? r.width : 0, r.height > 0 ? r.height : 0);
  gl.Disable(GL_BLEND);
  gl.UseProgram(r.figure.name);
  gl.Uniform2f(r.figure.uniforms[1], static_cast<float>(r.width > 0 ? r.width : 1),
               static_cast<float>(r.height > 0 ? r.height : 1));
  gl.BindTexture(GL_TEXTURE_2D, r.glyphs);
  gl.BindVertexArray(r.arrays[2]);
  gl.BindBuffer(GL_ARRAY_BUFFER, r.buffers[2]);
  gl.BufferSubData(GL_ARRAY_BUFFER, 0,
                   static_cast<GLsizeiptr>(sizeof(float) * 4 * kVerticesPerFigure * figures),
                   r.figureVertices);
  gl.DrawArrays(GL_TRIANGLES, 0, kVerticesPerFigure * figures);
  gl.Enable(GL_BLEND);
}

void Draw(void* record, const RenderedFrame& frame) {
  EsRecord& r = Record(record);
  const EsGl& gl = r.gl;
  GLint bound = 0;
  gl.GetIntegerv(GL_FRAMEBUFFER_BINDING, &bound);
  const GLuint target = static_cast<GLuint>(bound);
  GLint samples = 0;
  gl.GetIntegerv(GL_SAMPLES, &samples);
  const bool covered = samples > 1;
  gl.Viewport(0, 0, r.width > 0 ? r.width : 0, r.height > 0 ? r.height : 0);
  gl.ClearColor(0.0f, 0.0f, 0.0f, 0.0f);
  gl.Clear(GL_COLOR_BUFFER_BIT);
  gl.Enable(GL_BLEND);
  gl.BlendFunc(GL_SRC_ALPHA, GL_ONE);
  const Scene* scene = frame.scene;
  if (scene != nullptr && windowHasPixels(r.width, r.height) && HoldLines(r, *scene)) {
    const std::uint32_t count = esLineVertices(scene->trails, r.lineVertices, r.lineCapacity);
    const GLsizei vertices = static_cast<GLsizei>(count);
    if (count > 0) {
      gl.BindBuffer(GL_ARRAY_BUFFER, r.buffers[0]);
      gl.BufferSubData(GL_ARRAY_BUFFER, 0, static_cast<GLsizeiptr>(sizeof(EsLineVertex) * count),
                       r.lineVertices);
    }
    const GLsizei copies = scene->symmetry != 0 ? 8 : 1;
    float matrix[16];
    esSceneMatrix(*scene, matrix);
    if (!glowIsOn(scene->glowMode)) {
      DrawLines(r, matrix, vertices, copies, scene->color, r.width, r.height, covered);
    } else {
      if (glowHasHalo(scene->glowMode)) DrawHalo(r, *scene, matrix, vertices, copies, target);
      DrawLines(r, matrix, vertices, copies, Vec3{1.0f, 1.0f, 1.0f}, r.width, r.height, covered);
    }
  }
  if (frame.showFps) DrawFigures(r, frame.framesPerSecond);
  gl.BindVertexArray(0);
  gl.BindFramebuffer(GL_FRAMEBUFFER, target);
}

void Release(void*& record, bool contextCurrent) {
  if (record != nullptr && contextCurrent) DeleteAll(Record(record));
  FreeRecord(record);
}

}  // namespace

const Renderer kEsRenderer{Create, Resize, Draw, Release};
