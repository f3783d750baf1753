// What the ES renderer works out on the processor for a line pass: the matrix that takes the
// cube's points to clip space, and the trails' line segments in one vertex array.
#pragma once

#include <cstdint>

#include "sim/scene.h"

// The projection times the view of render/gl11/wire_drawing (a 35-degree perspective for the
// window's aspect; the cube centred, doubled, turned by the scene's angles and pushed back to
// cameraZ), column-major as GL takes it.
void esSceneMatrix(const Scene& scene, float matrix[16]);

// One end of a line segment: a point of the unmirrored cube and its alpha, clamped to [0, 1],
// and the segment's other end (the shader reads the segment's slant on the screen from it).
struct EsLineVertex {
  float x, y, z, alpha;
  float otherX, otherY, otherZ;
};

// The vertices the trails can need: two per segment, a segment per point each trail can hold.
// Fixed for a scene's life.
std::uint32_t esLineVertexCapacity(const TrailSet& trails);

// Every drawable trail's segments, from its oldest point to its head and broken after each point
// that carries a break, as pairs of vertices with the fades of render/trail_fade. Writes at most
// capacity vertices; returns how many it wrote.
std::uint32_t esLineVertices(const TrailSet& trails, EsLineVertex* vertices,
                             std::uint32_t capacity);
