// The standalone host inside its own process, as Windows shows it: started with the device classes
// the program registers, its menus read back with GetMenuState and GetMenuItemInfo, commands posted
// as WM_COMMAND, the editor captured as a PNG file in the working directory, and the shutdown
// through WM_CLOSE. The tests run in order on the host's window thread; the last one closes it.
// Wine lets no other process read these menus, hence a program of its own linking the host layer.
//
//   qorm_host_test [gtest options]
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "HostWindow.h"
#include "MessageBoxWatch.h"
#include "ZR_Test_Asio.h"
#include "win32/ZR_Host_Win32.h"

namespace {

ZR_Host_Win32* program = nullptr;
bool quitSeen = false;

// Handles what waits for this thread, for at least milliseconds; notes the loop's end.
void pump(int milliseconds) {
  const DWORD until = GetTickCount() + static_cast<DWORD>(milliseconds);
  do {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) quitSeen = true;
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    Sleep(5);
  } while (static_cast<int32_t>(until - GetTickCount()) > 0);
}

void post(UINT id) {
  PostMessageA(program->mainWindow(), WM_COMMAND, id, 0);
  pump(50);
}

HMENU popup(ZR_Host_Window::Popup p) { return program->menus().popup(p); }

std::string text(HMENU menu, int position) {
  char buffer[128] = "";
  GetMenuStringA(menu, static_cast<UINT>(position), buffer, sizeof buffer, MF_BYPOSITION);
  return buffer;
}

std::vector<std::string> texts(HMENU menu) {
  std::vector<std::string> out;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) out.push_back(text(menu, i));
  return out;
}

UINT state(HMENU menu, int position) {
  return GetMenuState(menu, static_cast<UINT>(position), MF_BYPOSITION);
}

std::vector<int> checkedEntries(HMENU menu) {
  std::vector<int> out;
  for (int i = 0; i < GetMenuItemCount(menu); ++i)
    if (state(menu, i) & MF_CHECKED) out.push_back(i);
  return out;
}

MENUITEMINFOA info(HMENU menu, int position) {
  MENUITEMINFOA item{};
  item.cbSize = sizeof item;
  item.fMask = MIIM_FTYPE | MIIM_ID | MIIM_DATA | MIIM_STATE | MIIM_SUBMENU;
  GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &item);
  return item;
}

// Every entry of every pop-up with its state and identifier: what must not change.
std::vector<std::string> snapshot() {
  std::vector<std::string> out;
  for (int p = 0; p < 4; ++p) {
    HMENU menu = popup(static_cast<ZR_Host_Window::Popup>(p));
    for (int i = 0; i < GetMenuItemCount(menu); ++i)
      out.push_back(text(menu, i) + "|" + std::to_string(state(menu, i)) + "|" +
                    std::to_string(GetMenuItemID(menu, i)));
  }
  return out;
}

int indexOf(const std::vector<std::string>& list, const std::string& wanted) {
  for (size_t i = 0; i < list.size(); ++i)
    if (list[i] == wanted) return static_cast<int>(i);
  return -1;
}

TEST(HostWin32, StartsWithTheMenuBarOfItsTable) {
  HMENU bar = GetMenu(program->mainWindow());
  ASSERT_EQ(bar, program->menus().bar());
  EXPECT_EQ(texts(bar), (std::vector<std::string>{"&Audio", "&Channel", "&Help (online)"}));
  EXPECT_EQ(info(bar, 0).hSubMenu, popup(ZR_Host_Window::kAudio));
  EXPECT_EQ(info(bar, 1).hSubMenu, popup(ZR_Host_Window::kChannel));
  EXPECT_EQ(GetMenuItemID(bar, 2), 0x7000u);

  const ZR_Host& host = program->host();
  HMENU audio = popup(ZR_Host_Window::kAudio);
  const std::vector<std::string> audioTexts = texts(audio);
  ASSERT_EQ(static_cast<int>(audioTexts.size()), host.deviceCount() + 2);
  EXPECT_EQ(audioTexts.back(), "&Mode");
  EXPECT_EQ(audioTexts[audioTexts.size() - 2], "");
  EXPECT_EQ(audioTexts[static_cast<size_t>(host.deviceCount() - 1)], "Windows")
      << "the wave device comes last";
  EXPECT_EQ(checkedEntries(audio), std::vector<int>{0});
  // With the test ASIO driver registered it comes first and is the device opened at start.
  if (const char* driver = std::getenv("QORM_EXPECT_ASIO_DRIVER")) {
    ASSERT_EQ(host.deviceCount(), 2);
    EXPECT_EQ(audioTexts[0], driver);
    EXPECT_EQ(host.currentDevice(), 0);
    EXPECT_EQ(host.currentMode(), 0);
    // The driver streams into the host from its own thread: its buffer switches run the callback.
    pump(500);
    const auto stats = reinterpret_cast<ZR_test_asio_stats_fn>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA("zrasio.dll"), "ZR_test_asio_stats")));
    ASSERT_NE(stats, nullptr);
    zr_test_asio::Stats counted{};
    stats(&counted);
    EXPECT_GT(counted.switches, 0);
    EXPECT_GT(counted.outputBlocks, 0);
  }
  for (int i = 0; i < host.deviceCount(); ++i) {
    const MENUITEMINFOA item = info(audio, i);
    EXPECT_TRUE(item.fType & MFT_RADIOCHECK);
    EXPECT_EQ(item.wID, 0x1000u + static_cast<UINT>(i));
    EXPECT_EQ(item.dwItemData, reinterpret_cast<ULONG_PTR>(host.device(i)));
  }
  EXPECT_EQ(info(audio, host.deviceCount() + 1).hSubMenu, popup(ZR_Host_Window::kMode));

  HMENU modes = popup(ZR_Host_Window::kMode);
  ASSERT_GT(GetMenuItemCount(modes), 0);
  EXPECT_EQ(checkedEntries(modes), std::vector<int>{0});
  EXPECT_EQ(GetMenuItemID(modes, 0), 0x2000u);

  HMENU channel = popup(ZR_Host_Window::kChannel);
  const std::vector<std::string> channelTexts = texts(channel);
  ASSERT_EQ(channelTexts.size(), 6u);
  EXPECT_EQ(channelTexts[1], "");
  EXPECT_EQ(channelTexts[2], "&Input");
  EXPECT_EQ(channelTexts[3], "");
  EXPECT_EQ(channelTexts[4], "&Add");
  EXPECT_EQ(channelTexts[5], "&Delete");
  EXPECT_EQ(state(channel, 5) & (MF_GRAYED | MF_DISABLED), static_cast<UINT>(MF_GRAYED | MF_DISABLED));
  EXPECT_EQ(state(channel, 4) & MF_GRAYED, 0u);
  EXPECT_EQ(checkedEntries(channel), std::vector<int>{0});
  EXPECT_TRUE(info(channel, 0).fType & MFT_RADIOCHECK);
  EXPECT_EQ(info(channel, 2).hSubMenu, popup(ZR_Host_Window::kInput));
}

TEST(HostWin32, TheWaveDeviceListsItsInputs) {
  post(0x1000 + static_cast<UINT>(program->host().deviceCount() - 1));
  EXPECT_EQ(texts(popup(ZR_Host_Window::kInput)), (std::vector<std::string>{"Left", "Right"}));
  EXPECT_EQ(text(popup(ZR_Host_Window::kChannel), 0), "1. Left");
  EXPECT_EQ(checkedEntries(popup(ZR_Host_Window::kInput)), std::vector<int>{0});
  EXPECT_EQ(checkedEntries(popup(ZR_Host_Window::kMode)), std::vector<int>{0});
  // The 44.1 kHz 16-bit stereo mode, chosen by its entry.
  const int mode = indexOf(texts(popup(ZR_Host_Window::kMode)), " 44.1 kHz, 16 bit, stereo");
  ASSERT_GE(mode, 0);
  post(0x2000 + static_cast<UINT>(mode));
  EXPECT_EQ(checkedEntries(popup(ZR_Host_Window::kMode)), std::vector<int>{mode});
}

TEST(HostWin32, TheWindowHoldsTheEditorAtItsSize) {
  RECT client{};
  GetClientRect(program->mainWindow(), &client);
  EXPECT_EQ(client.right, 200);
  EXPECT_EQ(client.bottom, 236);
  GetClientRect(program->effectWindow(), &client);
  EXPECT_EQ(client.right, 200);
  EXPECT_EQ(client.bottom, 236);
  char title[128] = "";
  GetWindowTextA(program->mainWindow(), title, sizeof title);
  EXPECT_NE(std::string(title).find("3-rd order Butterworth low-pass"), std::string::npos) << title;

  pump(300);
  HWND editor = GetWindow(program->effectWindow(), GW_CHILD);
  ASSERT_NE(editor, nullptr);
  const Capture picture = captureWindow(editor);
  ASSERT_EQ(picture.width, 200);
  ASSERT_EQ(picture.height, 236);
  EXPECT_TRUE(writePng("qorm_host_editor.png", picture));
  std::set<uint32_t> colours;
  for (int32_t y = 0; y < picture.height; y += 2)
    for (int32_t x = 0; x < picture.width; x += 2) colours.insert(picture.rgb(x, y));
  EXPECT_GT(colours.size(), 50u) << "the editor's art, not an empty window";
}

TEST(HostWin32, InstancesFollowTheChannelCommands) {
  HMENU channel = popup(ZR_Host_Window::kChannel);
  post(0x3000);
  post(0x3000);
  EXPECT_EQ(text(channel, 0), "1. Left");
  EXPECT_EQ(text(channel, 1), "2. Right");
  EXPECT_EQ(text(channel, 2), "3. Unconnected");
  EXPECT_EQ(checkedEntries(channel), std::vector<int>{2});
  EXPECT_EQ(state(channel, 7) & MF_GRAYED, 0u) << "&Delete with three instances";
  EXPECT_TRUE(checkedEntries(popup(ZR_Host_Window::kInput)).empty());

  post(0x5001);
  EXPECT_EQ(checkedEntries(popup(ZR_Host_Window::kInput)), std::vector<int>{1});
  post(0x4000);
  EXPECT_EQ(text(channel, 0), "1. Left");
  EXPECT_EQ(text(channel, 1), "2. Unconnected");
  EXPECT_EQ(GetMenuItemID(channel, 1), 0x5001u);
  EXPECT_EQ(checkedEntries(channel), std::vector<int>{0});
  EXPECT_NE(GetWindow(program->effectWindow(), GW_CHILD), nullptr) << "the first instance's editor";

  post(0x5001);
  post(0x6001);
  EXPECT_EQ(text(channel, 1), "2. Right");
  post(0x4000);
  EXPECT_EQ(GetMenuItemCount(channel), 6);
  EXPECT_EQ(state(channel, 5) & MF_GRAYED, static_cast<UINT>(MF_GRAYED)) << "&Delete with one instance";
}

TEST(HostWin32, BadIndexesDoNothing) {
  post(0x3000);
  post(0x3000);
  const std::vector<std::string> before = snapshot();
  for (UINT id : {0x1000u + static_cast<UINT>(program->host().deviceCount()), 0x1005u, 0x5009u, 0x6005u,
                  0x2FFFu, 0x4001u, 0x8000u})
    post(id);
  EXPECT_EQ(snapshot(), before);
  EXPECT_TRUE(IsWindow(program->mainWindow()));
  EXPECT_EQ(program->host().instanceCount(), 3);
}

TEST(HostWin32, ClosingLeavesNoWindow) {
  HWND main = program->mainWindow();
  PostMessageA(main, WM_CLOSE, 0, 0);
  for (int i = 0; i < 100 && !quitSeen; ++i) pump(50);
  EXPECT_TRUE(quitSeen);
  EXPECT_FALSE(IsWindow(main));
  EXPECT_EQ(FindWindowA("ZRWINDOW", nullptr), nullptr);
  EXPECT_FALSE(windowOfClassExists("RIDADADEZI"));
  EXPECT_EQ(program->host().instanceCount(), 0);
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  MessageBoxWatch boxes;  // an error report must not hang an unattended run
  ZR_Host_Win32 host;
  program = &host;
  if (!host.start(GetModuleHandleA(nullptr))) return 2;
  pump(200);
  return RUN_ALL_TESTS();
}
