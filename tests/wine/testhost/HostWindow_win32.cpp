#include <windows.h>

#include "HostWindow.h"

namespace {

const char kClassName[] = "QormTestHostWindow";

void registerClass() {
  static const bool registered = [] {
    WNDCLASSA hostClass{};
    hostClass.lpfnWndProc = DefWindowProcA;
    hostClass.hInstance = GetModuleHandleA(nullptr);
    hostClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    hostClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    hostClass.lpszClassName = kClassName;
    return RegisterClassA(&hostClass) != 0;
  }();
  (void)registered;
}

LPARAM at(int32_t x, int32_t y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }

}  // namespace

HostWindow::HostWindow(int32_t left, int32_t top) {
  registerClass();
  window_ = CreateWindowExA(0, kClassName, "QORM test host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, left, top, 120,
                            80, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
  pump(50);
}

HostWindow::~HostWindow() {
  DestroyWindow(window_);
  pump();
}

HWND HostWindow::editor() const { return GetWindow(window_, GW_CHILD); }

std::string HostWindow::className(HWND window) {
  char name[256] = "";
  if (window) GetClassNameA(window, name, sizeof name);
  return name;
}

void HostWindow::clientSize(int32_t& width, int32_t& height) const {
  RECT client{};
  GetClientRect(window_, &client);
  width = client.right - client.left;
  height = client.bottom - client.top;
}

void HostWindow::pump(int milliseconds) const {
  const DWORD until = GetTickCount() + static_cast<DWORD>(milliseconds);
  do {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    if (milliseconds > 0) Sleep(5);
  } while (static_cast<int32_t>(until - GetTickCount()) > 0);
}

void HostWindow::mouseMove(int32_t x, int32_t y) const { SendMessageA(editor(), WM_MOUSEMOVE, 0, at(x, y)); }

void HostWindow::mouseDown(int32_t x, int32_t y) const {
  SendMessageA(editor(), WM_LBUTTONDOWN, MK_LBUTTON, at(x, y));
}

void HostWindow::mouseUp(int32_t x, int32_t y) const { SendMessageA(editor(), WM_LBUTTONUP, 0, at(x, y)); }

void HostWindow::drag(int32_t x, int32_t y, int32_t dx, int32_t dy) const {
  mouseMove(x, y);
  mouseDown(x, y);
  const int steps = 10;
  for (int i = 1; i <= steps; ++i) {
    const LPARAM position = at(x + dx * i / steps, y + dy * i / steps);
    SendMessageA(editor(), WM_MOUSEMOVE, MK_LBUTTON, position);
  }
  mouseUp(x + dx, y + dy);
}

void HostWindow::click(int32_t x, int32_t y) const {
  mouseMove(x, y);
  mouseDown(x, y);
  mouseUp(x, y);
}

Capture HostWindow::capture() const { return captureWindow(editor()); }

Capture captureWindow(HWND source) {
  Capture result;
  RECT client{};
  if (!source || !GetClientRect(source, &client)) return result;
  result.width = client.right;
  result.height = client.bottom;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = result.width;
  info.bmiHeader.biHeight = -result.height;  // rows from the top
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HDC screen = GetDC(source);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, result.width, result.height, screen, 0, 0, SRCCOPY);
  GdiFlush();
  const auto* bgra = static_cast<const uint8_t*>(bits);
  result.rgba.resize(static_cast<size_t>(result.width) * result.height * 4);
  for (size_t i = 0; i < result.rgba.size(); i += 4) {
    result.rgba[i] = bgra[i + 2];
    result.rgba[i + 1] = bgra[i + 1];
    result.rgba[i + 2] = bgra[i];
    result.rgba[i + 3] = 255;
  }
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(source, screen);
  return result;
}

namespace {
struct ClassSearch {
  const std::string& name;
  bool found = false;
};

BOOL CALLBACK matchClass(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<ClassSearch*>(data);
  if (HostWindow::className(window) == search->name) search->found = true;
  return !search->found;
}

BOOL CALLBACK searchTopLevel(HWND window, LPARAM data) {
  matchClass(window, data);
  auto* search = reinterpret_cast<ClassSearch*>(data);
  if (!search->found) EnumChildWindows(window, matchClass, data);
  return !search->found;
}
}  // namespace

bool windowOfClassExists(const std::string& className) {
  ClassSearch search{className};
  EnumWindows(searchTopLevel, reinterpret_cast<LPARAM>(&search));
  return search.found;
}
