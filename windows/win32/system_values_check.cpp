// The host's portable decisions use the system values under their system names; on Windows
// they come from windows.h, and this checks that they equal the numbers the native build uses.
#include <windows.h>

#include "windows/system_values.h"

#define QW_CHECK_SYSTEM_VALUE(name, value) \
  static_assert((name) == (value), #name " differs from the number the native build uses");
QW_HOST_SYSTEM_VALUES(QW_CHECK_SYSTEM_VALUE)
#undef QW_CHECK_SYSTEM_VALUE

static_assert(sizeof(OSVERSIONINFOA) == 148, "the version query expects a 148-byte structure");
