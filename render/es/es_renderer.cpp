#include "render/es/es_renderer.h"

#include <cstdlib>

#include "render/es/es_record.h"

namespace {

bool Create(void*& record, const RendererSetup& setup) {
  EsRecord* r = static_cast<EsRecord*>(std::calloc(1, sizeof(EsRecord)));
  record = r;
  if (r == nullptr) return false;
  if (!esGlLoad(r->gl)) {
    esFreeRecord(record);
    return false;
  }
  const EsGl& gl = r->gl;
  r->softwareRenderer =
      isSoftwareRenderer(reinterpret_cast<const char*>(gl.GetString(GL_RENDERER)));
  r->width = setup.width;
  r->height = setup.height;
  r->glowMode = setup.glowMode;
  r->request = setup.blurRequest;
  if (!esLinkPrograms(*r)) {
    esDeleteAll(*r);
    esFreeRecord(record);
    return false;
  }
  esSetupQuadAndBuffers(*r);
  esMakeGlyphs(*r);
  esMakeSized(*r);
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
  EsRecord& r = esRecord(record);
  r.width = setup.width;
  r.height = setup.height;
  r.glowMode = setup.glowMode;
  r.request = setup.blurRequest;
  esReleaseSized(r);
  esMakeSized(r);
}

void Draw(void* record, const RenderedFrame& frame) {
  EsRecord& r = esRecord(record);
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
  if (scene != nullptr && windowHasPixels(r.width, r.height) && esHoldLines(r, *scene)) {
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
      esDrawLines(r, matrix, vertices, copies, scene->color, r.width, r.height, covered);
    } else {
      if (glowHasHalo(scene->glowMode))
        esDrawHalo(r, *scene, matrix, vertices, copies, target, covered);
      esDrawLines(r, matrix, vertices, copies, Vec3{1.0f, 1.0f, 1.0f}, r.width, r.height, covered);
    }
  }
  if (frame.showFps) esDrawFigures(r, frame.framesPerSecond);
  gl.BindVertexArray(0);
  gl.BindFramebuffer(GL_FRAMEBUFFER, target);
}

void Release(void*& record, bool contextCurrent) {
  if (record != nullptr && contextCurrent) esDeleteAll(esRecord(record));
  esFreeRecord(record);
}

}  // namespace

const Renderer kEsRenderer{Create, Resize, Draw, Release};
