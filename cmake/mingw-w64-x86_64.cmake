# Cross toolchain: 64-bit Windows executables built with Debian's MinGW-w64 (win32 thread model,
# so nothing beyond the system's own DLLs is needed at run time).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(QW_MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
