#include "wayland/egl_choice.h"

#include <cstring>

namespace {

// The decimal number at `at` (capped at 1000), `at` left after it.
int ReadNumber(const char*& at) {
  int number = 0;
  for (; *at >= '0' && *at <= '9'; ++at) {
    if (number < 1000) number = number * 10 + (*at - '0');
  }
  return number;
}

// Whether an EGL version string ("1.5 Mesa ...", "1.4") is 1.5 or later.
bool AtLeastEgl15(const char* version) {
  if (version == nullptr) return false;
  const int major = ReadNumber(version);
  const int minor = *version == '.' ? ReadNumber(++version) : 0;
  return major > 1 || (major == 1 && minor >= 5);
}

}  // namespace

bool eglExtensionListed(const char* extensions, const char* name) {
  const std::size_t length = std::strlen(name);
  if (extensions == nullptr || length == 0) return false;
  for (const char* at = extensions; (at = std::strstr(at, name)) != nullptr; at += length) {
    const bool starts = at == extensions || at[-1] == ' ';
    const bool ends = at[length] == '\0' || at[length] == ' ';
    if (starts && ends) return true;
  }
  return false;
}

EglDisplayCall chooseEglDisplayCall(const char* clientExtensions, const char* clientVersion) {
  const bool wayland = eglExtensionListed(clientExtensions, "EGL_KHR_platform_wayland") ||
                       eglExtensionListed(clientExtensions, "EGL_EXT_platform_wayland");
  if (!wayland) return EglDisplayCall::Native;
  if (AtLeastEgl15(clientVersion)) return EglDisplayCall::Platform;
  return eglExtensionListed(clientExtensions, "EGL_EXT_platform_base") ? EglDisplayCall::PlatformExt
                                                                       : EglDisplayCall::Native;
}

EglContextPlan chooseEglContextPlan(const char* glVariable, const EglApiOffer& offer) {
  const bool desktop = offer.desktopConfigs && eglExtensionListed(offer.clientApis, "OpenGL");
  const bool es = offer.es3Configs && eglExtensionListed(offer.clientApis, "OpenGL_ES");
  const bool onlyDesktop = glVariable != nullptr && std::strcmp(glVariable, "gl") == 0;
  const bool onlyEs = glVariable != nullptr && std::strcmp(glVariable, "es") == 0;
  EglContextPlan plan{};
  if (desktop && !onlyEs) plan.attempts[plan.count++] = ContextApi::DesktopGl;
  if (es && !onlyDesktop) plan.attempts[plan.count++] = ContextApi::Es3;
  return plan;
}

bool eglDrawsInSoftware(const char* driverName, const char* deviceExtensions) {
  if (driverName != nullptr &&
      (std::strcmp(driverName, "swrast") == 0 || std::strcmp(driverName, "kms_swrast") == 0)) {
    return true;
  }
  return eglExtensionListed(deviceExtensions, "EGL_MESA_device_software");
}

int chooseEglSamples(ContextApi api, bool software, const int* sampleCounts, int count) {
  if (api != ContextApi::Es3 || software) return 0;
  int chosen = 0;
  for (int i = 0; i < count; ++i) {
    const int samples = sampleCounts[i];
    if (samples > 1 && samples <= 4 && (chosen == 0 || samples < chosen)) chosen = samples;
  }
  return chosen;
}
