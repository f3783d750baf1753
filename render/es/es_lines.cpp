#include <cstddef>
#include <cstdlib>

#include "render/es/es_record.h"

// Room for every vertex the scene's trails can need, taken at the first frame of a scene (its
// trails keep their sizes for its life).
bool esHoldLines(EsRecord& r, const Scene& scene) {
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
void esDrawLines(const EsRecord& r, const float matrix[16], GLsizei vertexCount, GLsizei copies,
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

void esDrawQuad(const EsRecord& r) {
  r.gl.BindVertexArray(r.arrays[1]);
  r.gl.DrawArrays(GL_TRIANGLE_STRIP, 0, 4);
}
