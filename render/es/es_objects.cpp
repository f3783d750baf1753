#include <cstdio>
#include <cstdlib>
#include <initializer_list>

#include "render/es/es_record.h"
#include "render/es/es_shaders.h"

namespace {

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

void AttachTexture(const EsGl& gl, GLuint framebuffer, GLuint texture) {
  gl.BindFramebuffer(GL_FRAMEBUFFER, framebuffer);
  gl.FramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, texture, 0);
}

}  // namespace

void esMakeTexture(const EsGl& gl, GLuint name, GLint internalFormat, GLenum format,
                   std::int32_t width, std::int32_t height, GLint filter) {
  gl.BindTexture(GL_TEXTURE_2D, name);
  gl.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
  gl.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
  gl.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
  gl.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
  gl.TexImage2D(GL_TEXTURE_2D, 0, internalFormat, width, height, 0, format, GL_UNSIGNED_BYTE,
                nullptr);
}

// The squares, textures and framebuffers for the recorded size; the blur path settled.
void esMakeSized(EsRecord& r) {
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
  esMakeTexture(gl, s.textures[kCapture], GL_RGBA8, GL_RGBA, s.captureSide, s.captureSide,
                GL_NEAREST);
  esMakeTexture(gl, s.textures[kSource], GL_RGBA8, GL_RGBA, s.blurSide, s.blurSide, GL_NEAREST);
  esMakeTexture(gl, s.textures[kAcross], GL_R8, GL_RED, s.blurSide, s.blurSide, GL_NEAREST);
  esMakeTexture(gl, s.textures[kHalo], GL_R8, GL_RED, s.blurSide, s.blurSide, GL_LINEAR);
  for (int i = 0; i < 4; ++i) AttachTexture(gl, s.framebuffers[i], s.textures[i]);
  gl.BindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(target));
}

void esReleaseSized(EsRecord& r) {
  r.gl.DeleteFramebuffers(4, r.sized.framebuffers);
  r.gl.DeleteTextures(4, r.sized.textures);
  softwareBlurRelease(r.sized.software);
  r.sized = Sized{};
}

void esSetupQuadAndBuffers(EsRecord& r) {
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

bool esLinkPrograms(EsRecord& r) {
  static const char* const kLine[] = {"uMatrix", "uColor", "uViewport"};
  static const char* const kBlur[] = {"uSource", "uVertical", "uSide", "uOffsets"};
  static const char* const kComposite[] = {"uHalo", "uTint", "uSide"};
  static const char* const kFigure[] = {"uGlyphs", "uSize"};
  return Link(r.gl, r.line, kLineVertex, kColorFragment, kLine, 3) &&
         Link(r.gl, r.blur, kQuadVertex, kBlurFragment, kBlur, 4) &&
         Link(r.gl, r.composite, kQuadVertex, kCompositeFragment, kComposite, 3) &&
         Link(r.gl, r.figure, kFigureVertex, kFigureFragment, kFigure, 2);
}

void esDeleteAll(EsRecord& r) {
  const EsGl& gl = r.gl;
  esReleaseSized(r);
  for (Program* p : {&r.line, &r.blur, &r.composite, &r.figure}) {
    if (p->name != 0) gl.DeleteProgram(p->name);
  }
  gl.DeleteVertexArrays(3, r.arrays);
  gl.DeleteBuffers(3, r.buffers);
  gl.DeleteTextures(1, &r.glyphs);
}

void esFreeRecord(void*& record) {
  EsRecord* r = static_cast<EsRecord*>(record);
  if (r != nullptr) {
    softwareBlurRelease(r->sized.software);
    std::free(r->lineVertices);
    std::free(r);
  }
  record = nullptr;
}
