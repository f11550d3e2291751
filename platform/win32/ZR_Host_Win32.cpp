#include "win32/ZR_Host_Win32.h"

#include "cmd/ZR_resource.h"
#include "rts/ZR_Rts_instances.h"
#include "win32/ZR_Rts_Win32.h"
#include "win32/asio/ZR_Rts_Asio.h"

namespace {

ZR_Host_Win32* running = nullptr;  // the one host whose main window procedure runs

const char kMainClass[] = "ZRWINDOW";
const char kEffectClass[] = "RIDADADEZI";
constexpr DWORD kMainStyle = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;  // no resizing, no maximising
constexpr int kLeft = 50, kTop = 50;

// The plug-in entry in the program's own exports; null when it is not there.
ZR_Host::Entry ownEntry() {
  // GetProcAddress answers a generic function type; the entry's own type is ours to restore.
  return reinterpret_cast<ZR_Host::Entry>(
      reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA(nullptr), "_VSTPluginMain")));
}

void registerClasses(HINSTANCE instance, WNDPROC mainProcedure) {
  WNDCLASSEXA main{};
  main.cbSize = sizeof main;
  main.style = CS_SAVEBITS | CS_BYTEALIGNCLIENT;
  main.lpfnWndProc = mainProcedure;
  main.hInstance = instance;
  main.hIcon = LoadIconA(instance, "icon");
  main.hIconSm = LoadIconA(instance, "ComboSmallIcon");
  main.hCursor = LoadCursor(nullptr, IDC_ARROW);
  main.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  main.lpszClassName = kMainClass;
  RegisterClassExA(&main);

  WNDCLASSEXA effect{};
  effect.cbSize = sizeof effect;
  effect.style = CS_SAVEBITS | CS_BYTEALIGNCLIENT;
  effect.lpfnWndProc = DefWindowProcA;
  effect.hInstance = instance;
  effect.hCursor = LoadCursor(nullptr, IDC_ARROW);
  effect.hbrBackground = CreateSolidBrush(0x00604020);
  effect.lpszClassName = kEffectClass;
  RegisterClassExA(&effect);
}

}  // namespace

// ASIO first: the device selected at start is the first listed, and a driver is the better choice.
const ZR_Host_Device_Class ZR_Host_Win32::kDeviceClasses[2] = {
    {ZR_Rts_Asio::classInit, ZR_Rts_Asio::classDone},
    {[](ZR_Rts_callback callback) { return ZR_Rts_Win32::classInit(callback); }, ZR_Rts_Win32::classDone},
};

ZR_Host_Win32::ZR_Host_Win32(const ZR_Host_Device_Class* classes, int32_t classCount)
    : classes_(classes), classCount_(classCount) {}

ZR_Host_Win32::~ZR_Host_Win32() {
  close();
  if (running == this) running = nullptr;
}

bool ZR_Host_Win32::start(HINSTANCE instance) {
  running = this;
  for (int32_t i = 0; i < classCount_; ++i) classes_[i].classInit(ZR_Host::audioCallback);
  classesInitialised_ = true;
  const ZR_Host::Entry entry = ownEntry();
  registerClasses(instance, mainProcedure);

  menus_ = std::make_unique<ZR_Host_Window_Win32>();
  host_ = std::make_unique<ZR_Host>(*menus_, entry);
  host_->listDevices(ZR_Rts_instances);

  main_ = CreateWindowExA(0, kMainClass, "QORM", kMainStyle, kLeft, kTop, 600, 450, nullptr, menus_->bar(),
                          instance, nullptr);
  if (!main_) return false;
  effect_ = CreateWindowExA(0, kEffectClass, "", WS_CHILD | WS_VISIBLE, 0, 0, 20, 20, main_, nullptr,
                            instance, nullptr);
  if (!effect_) return false;
  menus_->setWindows(main_, effect_);

  host_->command(ZR_Host::kAddInstance);
  const ERect editor = host_->editorRect();
  char title[kVstMaxProductStrLen] = {};
  if (host_->productString(title)) SetWindowTextA(main_, title);

  const int width = editor.right - editor.left, height = editor.bottom - editor.top;
  RECT frame = {0, 0, width, height};
  AdjustWindowRectEx(&frame, kMainStyle, TRUE, 0);
  SetWindowPos(main_, nullptr, kLeft, kTop, frame.right - frame.left, frame.bottom - frame.top, SWP_NOZORDER);
  SetWindowPos(effect_, nullptr, 0, 0, width, height, SWP_NOZORDER);

  ShowWindow(main_, SW_SHOW);
  ZR_initall();
  return true;
}

int ZR_Host_Win32::run() {
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}

void ZR_Host_Win32::close() {
  if (host_ && !host_->shutdown()) return;  // a command's error report is still open
  if (main_) ShowWindow(main_, SW_HIDE);
  if (classesInitialised_) {
    for (int32_t i = 0; i < classCount_; ++i) classes_[i].classDone();
    classesInitialised_ = false;
  }
  // Destroying the main window takes the effect window and the menus with it; nothing of the
  // host is left on the screen once the loop ends.
  if (main_) {
    HWND window = main_;
    main_ = effect_ = nullptr;
    DestroyWindow(window);
  }
}

LRESULT CALLBACK ZR_Host_Win32::mainProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      // Menu commands only: no notification code, no control.
      if (running && running->host_ && HIWORD(wParam) == 0 && lParam == 0)
        running->host_->command(LOWORD(wParam));
      return 0;
    case WM_CLOSE:
      if (running) running->close();
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}
