// The wires on the screen: every trail drawn as a faded line strip from its oldest point to its
// moving head, under the scene's own perspective and tumbling.
#pragma once

#include <cstdint>

#include "sim/scene.h"
#include "sim/trail.h"
#include "sim/vec3.h"

// One pass of all trails: the cube [0, 1]^3 centred, doubled, turned by the scene's angles and
// pushed back to cameraZ, seen through a 35-degree perspective. White under glow, the scene's
// colour without. Leaves blending on with (GL_SRC_ALPHA, GL_ONE), GL_TEXTURE_2D enabled,
// GL_LINE_SMOOTH disabled, the matrix mode GL_PROJECTION and both matrix stacks as they were.
// A window without pixels draws nothing but leaves the same state.
void drawScene(const Scene& scene);

// The line strips of every active trail that holds a point, in the given colour; eight mirrored
// copies when symmetry is non-zero. Disables texturing while it draws and enables it after.
void drawTrails(const TrailSet& trails, Vec3 color, std::int32_t symmetry);
