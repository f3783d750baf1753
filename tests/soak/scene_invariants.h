// The scene's invariants, checked from outside after any update: the soak runs them on every
// frame. Each returns null when the scene keeps them, otherwise what is broken.
#pragma once

#include "sim/scene.h"

// Counts, ranges, the grid's filing, the trails' rings, the colour and the angles, and that no
// number of the scene is NaN or infinite.
const char* sceneInvariantBroken(const Scene& scene);

// Wires and trails switch on together and never off: `wasActive` holds each wire's flag of the
// previous frame (wires.count of them) and is updated.
const char* sceneActivationBroken(const Scene& scene, unsigned char* wasActive);
