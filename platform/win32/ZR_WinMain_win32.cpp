// The program's start until the standalone host with its devices takes it over: it finds the plug-in
// entry among its own exports, as that host will, creates one effect and shows its editor in the
// main window "QORM" until the window is closed. "--seconds N" closes it after N seconds.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "plugin/AEffect.h"

namespace {

AEffect* effect = nullptr;

VstIntPtr hostCallback(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
  return opcode == audioMasterVersion ? 2400 : 0;
}

VstIntPtr dispatch(VstInt32 opcode, void* pointer = nullptr) {
  return effect->dispatcher(effect, opcode, 0, 0, pointer, 0.0f);
}

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_TIMER:
      DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      dispatch(effEditClose);
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

HWND createMainWindow(HINSTANCE instance) {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = mainWindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = "ZRWINDOW";
  RegisterClassA(&windowClass);
  ERect* rect = nullptr;
  dispatch(effEditGetRect, &rect);
  RECT frame = {0, 0, rect ? rect->right - rect->left : 200, rect ? rect->bottom - rect->top : 236};
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  AdjustWindowRect(&frame, style, FALSE);
  return CreateWindowA("ZRWINDOW", "QORM", style, CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left,
                       frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int show) {
  using Entry = AEffect* (*)(audioMasterCallback);
  // GetProcAddress answers a generic function type; the entry's own type is ours to restore.
  auto entry = reinterpret_cast<Entry>(
      reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA(nullptr), "_VSTPluginMain")));
  if (!entry) {
    std::fprintf(stderr, "qorm: no plug-in entry among the exports\n");
    return 1;
  }
  effect = entry(hostCallback);
  if (!effect) {
    std::fprintf(stderr, "qorm: the plug-in entry created no effect\n");
    return 1;
  }
  char product[kVstMaxProductStrLen] = {};
  dispatch(effGetProductString, product);
  std::printf("qorm: %s\n", product);
  std::fflush(stdout);

  HWND window = createMainWindow(instance);
  if (window && (effect->flags & effFlagsHasEditor)) dispatch(effEditOpen, window);
  if (window) {
    ShowWindow(window, show);
    if (const char* seconds = std::strstr(commandLine, "--seconds "))
      SetTimer(window, 1, static_cast<UINT>(std::atof(seconds + 10) * 1000), nullptr);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
  }
  dispatch(effClose);
  return 0;
}
