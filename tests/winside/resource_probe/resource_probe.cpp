// Prints the resources of the saver file named on the command line as key=value lines: the
// version numbers and strings, string 1 in the neutral, French and Japanese tables, and which
// icon groups exist.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::string VersionString(const std::vector<char>& info, const char* name) {
  std::string path = std::string("\\StringFileInfo\\040904B0\\") + name;
  char* value = nullptr;
  UINT length = 0;
  if (!VerQueryValueA(info.data(), path.c_str(), reinterpret_cast<void**>(&value), &length)) {
    return "<missing>";
  }
  return std::string(value, length > 0 ? length - 1 : 0);
}

// String `id` from the string table of one language, or "<missing>". A table block holds 16
// length-prefixed UTF-16 strings.
std::string TableString(HMODULE module, UINT id, WORD language) {
  HRSRC block =
      FindResourceExA(module, MAKEINTRESOURCEA(6), MAKEINTRESOURCEA(id / 16 + 1), language);
  if (block == nullptr) return "<missing>";
  const WCHAR* p = static_cast<const WCHAR*>(LockResource(LoadResource(module, block)));
  for (UINT i = 0; i < id % 16; ++i) p += 1 + *p;
  std::string text;
  for (WCHAR i = 0; i < *p; ++i) text += static_cast<char>(p[1 + i]);
  return text;
}

void PrintVersion(const char* key, DWORD high, DWORD low) {
  std::printf("%s=%u.%u.%u.%u\n", key, static_cast<unsigned>(HIWORD(high)),
              static_cast<unsigned>(LOWORD(high)), static_cast<unsigned>(HIWORD(low)),
              static_cast<unsigned>(LOWORD(low)));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  const char* file = argv[1];

  DWORD handle = 0;
  const DWORD size = GetFileVersionInfoSizeA(file, &handle);
  std::vector<char> info(size > 0 ? size : 1);
  if (size == 0 || !GetFileVersionInfoA(file, 0, size, info.data())) return 3;
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &length);
  PrintVersion("file_version", fixed->dwFileVersionMS, fixed->dwFileVersionLS);
  PrintVersion("product_version", fixed->dwProductVersionMS, fixed->dwProductVersionLS);
  for (const char* name : {"FileVersion", "ProductVersion", "FileDescription", "ProductName",
                           "InternalName", "OriginalFilename"}) {
    std::printf("%s=%s\n", name, VersionString(info, name).c_str());
  }

  HMODULE module = LoadLibraryExA(file, nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (module == nullptr) return 4;
  std::printf("string1_neutral=%s\n",
              TableString(module, 1, MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL)).c_str());
  std::printf("string1_1036=%s\n", TableString(module, 1, 1036).c_str());
  std::printf("string1_1041=%s\n", TableString(module, 1, 1041).c_str());
  std::printf("icon_group_135=%d\n",
              FindResourceA(module, MAKEINTRESOURCEA(135), MAKEINTRESOURCEA(14)) != nullptr);
  std::printf("icon_group_100=%d\n",
              FindResourceA(module, MAKEINTRESOURCEA(100), MAKEINTRESOURCEA(14)) != nullptr);
  return 0;
}
