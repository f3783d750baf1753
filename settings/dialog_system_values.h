// The system's numeric values that the dialog logic works with, under the system's own names.
// The portable build defines them here; the Windows build takes them from windows.h and checks
// at compile time that they are the values the portable build uses.
#pragma once

#define QW_DIALOG_SYSTEM_VALUES(X) \
  X(IDOK, 1)                       \
  X(IDCANCEL, 2)                   \
  X(CB_ERR, -1)                    \
  X(BST_UNCHECKED, 0)              \
  X(BST_CHECKED, 1)

#if defined(_WIN32)
#include <windows.h>
#define QW_CHECK_SYSTEM_VALUE(name, value) \
  static_assert((name) == (value), #name " differs from the portable build's value");
QW_DIALOG_SYSTEM_VALUES(QW_CHECK_SYSTEM_VALUE)
#undef QW_CHECK_SYSTEM_VALUE
#else
#define QW_DEFINE_SYSTEM_VALUE(name, value) constexpr long name = (value);
QW_DIALOG_SYSTEM_VALUES(QW_DEFINE_SYSTEM_VALUE)
#undef QW_DEFINE_SYSTEM_VALUE
#endif
