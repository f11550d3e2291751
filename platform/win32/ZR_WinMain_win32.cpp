// The program started as itself: the standalone host. "--seconds N" closes its main window after N
// seconds, through the same shutdown as a user's close.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "win32/ZR_Host_Win32.h"

namespace {

HWND closeLater = nullptr;

void CALLBACK closeNow(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  PostMessageA(closeLater, WM_CLOSE, 0, 0);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  ZR_Host_Win32 program;
  if (!program.start(instance)) return 1;
  char title[128] = {};
  GetWindowTextA(program.mainWindow(), title, sizeof title);
  std::printf("qorm: %s\n", title);
  std::fflush(stdout);
  if (const char* seconds = std::strstr(commandLine, "--seconds ")) {
    closeLater = program.mainWindow();
    SetTimer(nullptr, 0, static_cast<UINT>(std::atof(seconds + 10) * 1000), closeNow);
  }
  return ZR_Host_Win32::run();
}
