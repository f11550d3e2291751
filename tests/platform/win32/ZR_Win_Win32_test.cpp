#include "win32/ZR_Win_Win32.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>

#include "../../gfx/ZR_Win_testing.h"

using zr_testing::SolidElement;

namespace {
HWND topLevel(DWORD style) {
  return CreateWindowExA(WS_EX_TOPMOST, "STATIC", "host", WS_POPUP | style, 0, 0, 320, 240, nullptr, nullptr,
                         GetModuleHandleA(nullptr), nullptr);
}

// What the child window shows, copied from its device context as a screen capture does.
ZR_Pix_A32 shown(HWND child, int x, int y) {
  ZR_Pic<ZR_Pix_A32> shot;
  shot.create(1, 1);
  HDC memory = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(memory, shot.bitmap);
  HDC screen = GetDC(child);
  BitBlt(memory, 0, 0, 1, 1, screen, x, y, SRCCOPY);
  ReleaseDC(child, screen);
  GdiFlush();
  SelectObject(memory, old);
  DeleteDC(memory);
  ZR_Pix_A32 p = shot.pixels[0];
  p.a = 0;  // the screen has no alpha
  return p;
}

LPARAM at(int x, int y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }

constexpr ZR_Pix_A32 kRed{0, 0, 255, 255};
constexpr ZR_Pix_A32 kGreen{0, 255, 0, 255};
}  // namespace

// Windows that hold the child: one shown at the screen's corner and shared by the suite, so that
// what the child shows can be read back unclipped (taking a shown window down costs Wine seconds),
// and a hidden one per test. The pointer is parked far away, so that no real mouse message mixes
// with the ones the tests send.
class ZR_Win_Win32_test : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    SetCursorPos(1000, 700);
    shownParent = topLevel(WS_VISIBLE);
  }
  static void TearDownTestSuite() { DestroyWindow(shownParent); }
  void SetUp() override { hiddenParent = topLevel(0); }
  void TearDown() override { DestroyWindow(hiddenParent); }

  static HWND shownParent;
  HWND hiddenParent = nullptr;
};
HWND ZR_Win_Win32_test::shownParent = nullptr;

TEST_F(ZR_Win_Win32_test, RegistersItsFrameClassUnderTheModuleHandle) {
  char expected[32];
  std::snprintf(expected, sizeof expected, "ZRFRAMEx%8.8X",
                static_cast<unsigned>(reinterpret_cast<uintptr_t>(GetModuleHandleA(nullptr))));
  EXPECT_STREQ(ZR_Win_Win32::className(), expected);
  WNDCLASSEXA info{};
  info.cbSize = sizeof info;
  ASSERT_TRUE(GetClassInfoExA(GetModuleHandleA(nullptr), expected, &info));
  EXPECT_EQ(info.style, 0u);
  EXPECT_EQ(info.hCursor, LoadCursor(nullptr, IDC_ARROW));
  EXPECT_EQ(info.hbrBackground, GetSysColorBrush(COLOR_BTNFACE));
  EXPECT_EQ(info.hIcon, nullptr);
}

TEST_F(ZR_Win_Win32_test, AttachesAChildWindowToItsParentAndDetachesIt) {
  ZR_Win_Win32 window(200, 120);
  EXPECT_EQ(window.child(), nullptr);
  window.invalidate({0, 0, 200, 120});  // nothing to draw into yet: nothing happens
  window.hwnd(shownParent);
  HWND child = window.child();
  ASSERT_NE(child, nullptr);
  EXPECT_EQ(GetParent(child), shownParent);
  char name[64], title[64];
  GetClassNameA(child, name, sizeof name);
  GetWindowTextA(child, title, sizeof title);
  EXPECT_STREQ(name, ZR_Win_Win32::className());
  EXPECT_STREQ(title, "Window");
  const LONG style = GetWindowLongA(child, GWL_STYLE);
  EXPECT_EQ(style & (WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN),
            WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN);
  RECT client;
  GetClientRect(child, &client);
  EXPECT_EQ(client.right, 200);
  EXPECT_EQ(client.bottom, 120);
  EXPECT_NE(window.tileBuffer.dc, nullptr);
  window.hwnd(shownParent);  // the same parent again changes nothing
  EXPECT_EQ(window.child(), child);
  window.hwnd(hiddenParent);
  EXPECT_FALSE(IsWindow(child));
  EXPECT_EQ(GetParent(window.child()), hiddenParent);
  window.hwnd(nullptr);
  EXPECT_EQ(window.child(), nullptr);
  EXPECT_EQ(window.parent(), nullptr);
  EXPECT_EQ(window.tileBuffer.dc, nullptr);
}

TEST_F(ZR_Win_Win32_test, LeavesNoWindowBehindWhenDestroyed) {
  HWND child;
  {
    ZR_Win_Win32 window(50, 50);
    window.hwnd(hiddenParent);
    child = window.child();
    ASSERT_TRUE(IsWindow(child));
  }
  EXPECT_FALSE(IsWindow(child));
  EXPECT_EQ(GetWindow(hiddenParent, GW_CHILD), nullptr);
}

TEST_F(ZR_Win_Win32_test, ComposesChangesStraightOntoTheScreen) {
  ZR_Win_Win32 window(200, 120);
  window.hwnd(shownParent);
  SolidElement background({0, 0, 200, 120}, kRed);
  background.overwrite = true;
  ZR_Win::attach(&window, &background);
  window.invalidate({0, 0, 200, 120});
  EXPECT_EQ(shown(window.child(), 10, 10), (ZR_Pix_A32{0, 0, 255, 0}));
  EXPECT_EQ(shown(window.child(), 199, 119), (ZR_Pix_A32{0, 0, 255, 0}));
  background.colour = kGreen;
  window.invalidate({100, 60, 200, 120});
  EXPECT_EQ(shown(window.child(), 150, 100), (ZR_Pix_A32{0, 255, 0, 0}));
  EXPECT_EQ(shown(window.child(), 10, 10), (ZR_Pix_A32{0, 0, 255, 0}));
  // A paint message composes the rectangle the system asks for.
  InvalidateRect(window.child(), nullptr, FALSE);
  UpdateWindow(window.child());
  EXPECT_EQ(shown(window.child(), 10, 10), (ZR_Pix_A32{0, 255, 0, 0}));
  ZR_Win::attach(nullptr, &background);
}

TEST_F(ZR_Win_Win32_test, RoutesMouseMessagesToTheWidgets) {
  ZR_Win_Win32 window(200, 120);
  window.hwnd(hiddenParent);
  HWND child = window.child();
  SolidElement background({0, 0, 200, 120}, kRed), knob({50, 40, 90, 80}, kGreen, true);
  ZR_Win::attach(&window, &background);
  ZR_Win::attach(&window, &knob);
  SendMessageA(child, WM_MOUSEMOVE, 0, at(60, 50));
  EXPECT_EQ(window.hovered, &knob);
  SendMessageA(child, WM_LBUTTONDOWN, MK_LBUTTON, at(61, 52));
  EXPECT_EQ(window.captured, &knob);
  EXPECT_EQ(GetCapture(), child);
  SendMessageA(child, WM_MOUSEMOVE, MK_LBUTTON, at(-5, 30));  // signed 16-bit coordinates
  SendMessageA(child, WM_LBUTTONUP, 0, at(-5, 30));
  EXPECT_EQ(GetCapture(), nullptr);
  SendMessageA(child, WM_MOUSEMOVE, 0, at(60, 50));
  SendMessageA(child, WM_LBUTTONDOWN, MK_LBUTTON, at(60, 50));
  SendMessageA(child, WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(window.captured, nullptr);
  const std::vector<std::string> events = {"press 11,12", "drag -55,-10", "release", "press 10,10",
                                           "release"};
  EXPECT_EQ(knob.events, events);
  EXPECT_TRUE(background.events.empty());
  ZR_Win::attach(nullptr, &knob);
  ZR_Win::attach(nullptr, &background);
}

TEST_F(ZR_Win_Win32_test, AnswersEraseAndCloseMessagesItsOwnWay) {
  ZR_Win_Win32 window(20, 20);
  window.hwnd(hiddenParent);
  EXPECT_EQ(SendMessageA(window.child(), WM_ERASEBKGND, 0, 0), 1);
  EXPECT_EQ(SendMessageA(window.child(), WM_CLOSE, 0, 0), 0);
  MSG quit;
  ASSERT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(quit.wParam, 0u);
  EXPECT_TRUE(IsWindow(window.child()));
}
