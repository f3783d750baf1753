#include "render/capture_read_back.h"

bool captureReadBackAndBlur(SoftwareBlur& blur, const CaptureReadBack& readBack,
                            GlowAspectFactors aspect) {
  for (int kind = 0; kind < 8 && readBack.errorFlagged(readBack.gl); ++kind) {
  }
  readBack.readSquare(readBack.gl, blur.captureSide, blur.capture);
  if (readBack.errorFlagged(readBack.gl)) {
    softwareBlurRelease(blur);
    return false;
  }
  softwareBlurRunForAspect(blur, aspect);
  return true;
}
