// The text quellwire-trace prints for one frame: a scene line, then a line per wire and a line
// per trail, fields separated by single spaces, floats with %.9g, integers in decimal.
#pragma once

#include <cstdint>
#include <cstdio>

#include "sim/scene.h"

void tracePrintFrame(std::FILE* out, std::uint32_t frame, const Scene& scene);
