// OpenGL 1.1 and GLU declarations for the portable drawing code. On Windows the GL headers need
// the calling-convention and export macros that windows.h defines, so it comes first there.
#pragma once

#ifdef _WIN32
#include <windows.h>
#endif
#include <GL/gl.h>
#include <GL/glu.h>
