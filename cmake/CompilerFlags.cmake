# Flags shared by every configuration. The simulation must compute bit-identical results in the
# native and the Windows builds, so floating point is SSE everywhere (also on 32-bit x86) and no
# multiply-add is ever fused.
set(CMAKE_CXX_STANDARD 17)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
set(CMAKE_CXX_EXTENSIONS OFF)

add_compile_options(-Wall -Wextra -ffp-contract=off -fno-exceptions)
# (Emscripten's toolchain reports an x86 processor too; WebAssembly has no such flags, and its
# floating point is IEEE single and double without fusing.)
if(CMAKE_SYSTEM_PROCESSOR MATCHES "^(i[3-6]86|x86|x86_64|AMD64|amd64)$" AND NOT EMSCRIPTEN)
  add_compile_options(-msse2 -mfpmath=sse)
endif()

if(NOT CMAKE_BUILD_TYPE AND NOT CMAKE_CONFIGURATION_TYPES)
  set(CMAKE_BUILD_TYPE RelWithDebInfo CACHE STRING "Build type" FORCE)
endif()

if(WIN32)
  # One standalone file: the GCC and C++ runtimes are linked in; only system DLLs are imported.
  add_link_options(-static -static-libgcc -static-libstdc++)
  add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0501 WINVER=0x0501)
endif()

# The sanitizer configurations: every fault of memory or undefined behaviour ends the program at
# once. The fuzz configuration adds libFuzzer's coverage to everything; only the fuzz targets
# link its driver.
option(QW_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(QW_FUZZ "Build the libFuzzer targets (clang only)" OFF)
if(QW_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all
                      -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()
if(QW_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
