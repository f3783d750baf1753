// Process entry: the command line after the program name goes to SaverMain, whose result ends
// the process.
#include "windows/command_line.h"
#include "windows/win32/saver_host.h"

namespace {

const char* systemCharNext(const char* position) { return CharNextA(position); }

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  const char* arguments = SkipProgramName(GetCommandLineA(), systemCharNext);
  ExitProcess(static_cast<UINT>(SaverMain(instance, arguments)));
}
