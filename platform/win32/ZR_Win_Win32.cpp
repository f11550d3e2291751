#include "ZR_Win_Win32.h"

#include <windows.h>

#include <cstdio>
#include <mutex>

#include "ZR_module_win32.h"

namespace {
// Every screen window, from construction to destruction. Editors may be built on several host
// threads at once, so joining and leaving are locked.
ZR_Chain& windowList() {
  static ZR_Chain list;
  return list;
}
std::mutex& windowListLock() {
  static std::mutex lock;
  return lock;
}

LRESULT CALLBACK frameProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* window = reinterpret_cast<ZR_Win_Win32*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (!window) return DefWindowProcA(hwnd, message, wParam, lParam);
  return window->onMessage(hwnd, message, wParam, lParam);
}

char frameClassName[32] = "ZRFRAME";

void registerFrameClass() {
  static const bool registered = [] {
    // The module's handle goes into the class name, so two loaded copies never share a window
    // procedure.
    const HINSTANCE module = ZR_module_win32();
    std::snprintf(frameClassName, sizeof frameClassName, "ZRFRAMEx%8.8X",
                  static_cast<unsigned>(reinterpret_cast<uintptr_t>(module)));
    WNDCLASSEXA frameClass{};
    frameClass.cbSize = sizeof frameClass;
    frameClass.lpfnWndProc = frameProc;
    frameClass.hInstance = module;
    frameClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    // Never seen: the window does not erase its background.
    frameClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    frameClass.lpszClassName = frameClassName;
    return RegisterClassExA(&frameClass) != 0;
  }();
  (void)registered;
}

// Copies each composed tile from the memory context to the window's context.
class ScreenTarget final : public ZR_Win::Target {
 public:
  ScreenTarget(HDC screen, const ZR_Pic<ZR_Pix_A32>& tile) : screen_(screen), tile_(tile) {}

  void copy(const ZR_Rect& area, int32_t sourceX, int32_t sourceY) override {
    if (screen_ && tile_.dc) {
      BitBlt(screen_, area.left, area.top, area.width(), area.height(), tile_.dc, sourceX, sourceY, SRCCOPY);
    }
  }

 private:
  HDC screen_;
  const ZR_Pic<ZR_Pix_A32>& tile_;
};

int32_t mouseX(LPARAM lParam) { return static_cast<int16_t>(LOWORD(lParam)); }
int32_t mouseY(LPARAM lParam) { return static_cast<int16_t>(HIWORD(lParam)); }
}  // namespace

ZR_Win_Win32::ZR_Win_Win32(int32_t w, int32_t h) : ZR_Win(w, h) {
  std::lock_guard<std::mutex> hold(windowListLock());
  windowList().insert(&listLink_);
}

ZR_Win_Win32::~ZR_Win_Win32() {
  hwnd(nullptr);
  std::lock_guard<std::mutex> hold(windowListLock());
  windowList().remove(&listLink_);
}

const char* ZR_Win_Win32::className() {
  registerFrameClass();
  return frameClassName;
}

void ZR_Win_Win32::hwnd(HWND parent) {
  registerFrameClass();
  if (parent == parent_) return;
  // Painting threads use the child window and the memory context under the paint lock; neither
  // changes while one of them draws. Past the time-out the change goes ahead all the same.
  const bool locked = paintLock_.lock(kPaintTimeoutMs);
  if (parent_) {
    HWND child = child_.exchange(nullptr);
    SetWindowLongPtrA(child, GWLP_USERDATA, 0);
    DestroyWindow(child);
    DeleteDC(tileBuffer.dc);
    tileBuffer.dc = nullptr;
  }
  parent_ = parent;
  if (parent) {
    HWND child = CreateWindowExA(0, frameClassName, "Window",
                                 WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, 0, width,
                                 height, parent, nullptr, ZR_module_win32(), nullptr);
    SetWindowLongPtrA(child, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    HDC screen = GetDC(child);
    tileBuffer.dc = CreateCompatibleDC(screen);
    ReleaseDC(child, screen);
    SelectObject(tileBuffer.dc, tileBuffer.bitmap);
    child_.store(child);
  }
  if (locked) paintLock_.unlock();
}

void ZR_Win_Win32::invalidate(const ZR_Rect& rect) {
  HWND child = child_.load();
  if (!child) return;
  HDC screen = GetDC(child);
  ScreenTarget target(screen, tileBuffer);
  paint(rect, target);
  ReleaseDC(child, screen);
}

// InvalidateRect may be called from any thread; a handle the window thread destroyed meanwhile is
// refused by the system.
void ZR_Win_Win32::wake() {
  if (HWND child = child_.load()) InvalidateRect(child, nullptr, FALSE);
}

intptr_t ZR_Win_Win32::onMessage(HWND window, unsigned message, uintptr_t wParam, intptr_t lParam) {
  switch (message) {
    case WM_PAINT: {
      // Before BeginPaint: what the refresh repaints joins this paint's region.
      refreshIfRequested();
      PAINTSTRUCT ps;
      HDC screen = BeginPaint(window, &ps);
      ScreenTarget target(screen, tileBuffer);
      paint({ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right, ps.rcPaint.bottom}, target);
      EndPaint(window, &ps);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_CLOSE:
      PostQuitMessage(0);
      return 0;
    case WM_MOUSEMOVE:
      // Asked once in the life of the window; a leave is not tracked again afterwards.
      if (!leaveTrackingRequested_) {
        leaveTrackingRequested_ = true;
        TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_LEAVE, window, HOVER_DEFAULT};
        TrackMouseEvent(&track);
      }
      onMouseMove(mouseX(lParam), mouseY(lParam));
      return 0;
    case WM_LBUTTONDOWN:
      SetCapture(window);
      onButtonDown(mouseX(lParam), mouseY(lParam));
      return 0;
    case WM_LBUTTONUP:
    case WM_MOUSELEAVE:
      ReleaseCapture();
      onButtonUp();
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}
