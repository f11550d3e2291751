#include "win32/ZR_Main_Vst_Editor.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>

#include "../../plugin/VstTestHost.h"
#include "plugin/ZR_Main_Vst.h"
#include "win32/ZR_Win_Win32.h"

namespace {

class MainVstEditor : public testing::Test {
 protected:
  void SetUp() override {
    host.replies[audioMasterVersion] = 2400;
    effect = new ZR_Main_Vst(VstTestHost::callback);
    record = effect->getAeffect();
    // A borderless window, as hosts give: the editor sizes it to its own size.
    parent = CreateWindowExA(0, "STATIC", "host", WS_POPUP | WS_VISIBLE, 30, 20, 50, 40, nullptr, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
  }
  void TearDown() override {
    testing::internal::CaptureStdout();
    if (record) record->dispatcher(record, effClose, 0, 0, nullptr, 0.0f);
    testing::internal::GetCapturedStdout();
    DestroyWindow(parent);
  }

  VstIntPtr dispatch(VstInt32 opcode, void* ptr = nullptr) {
    testing::internal::CaptureStdout();
    const VstIntPtr reply = record->dispatcher(record, opcode, 0, 0, ptr, 0.0f);
    testing::internal::GetCapturedStdout();
    return reply;
  }

  VstTestHost host;
  ZR_Main_Vst* effect = nullptr;
  AEffect* record = nullptr;
  HWND parent = nullptr;
};

TEST_F(MainVstEditor, IsAnnouncedAndReportsOneRectangleOfTheEditorsSize) {
  EXPECT_NE(dynamic_cast<ZR_Main_Vst_Editor*>(effect->getEditor()), nullptr);
  EXPECT_TRUE(record->flags & effFlagsHasEditor);
  ERect* rect = nullptr;
  ASSERT_EQ(dispatch(effEditGetRect, &rect), 1);
  ASSERT_NE(rect, nullptr);
  EXPECT_EQ(rect->top, 0);
  EXPECT_EQ(rect->left, 0);
  EXPECT_EQ(rect->bottom, 236);
  EXPECT_EQ(rect->right, 200);
  ERect* again = nullptr;
  dispatch(effEditGetRect, &again);
  EXPECT_EQ(again, rect);
}

TEST_F(MainVstEditor, OpenPlacesItsWindowInTheHostsAndCloseTakesItOut) {
  ASSERT_EQ(dispatch(effEditOpen, parent), 1);
  HWND child = GetWindow(parent, GW_CHILD);
  ASSERT_NE(child, nullptr);
  char name[64] = "";
  GetClassNameA(child, name, sizeof name);
  EXPECT_STREQ(name, ZR_Win_Win32::className());
  RECT client{};
  GetClientRect(parent, &client);
  EXPECT_EQ(client.right, 200);
  EXPECT_EQ(client.bottom, 236);
  RECT placed{};
  GetWindowRect(parent, &placed);
  EXPECT_EQ(placed.left, 30);  // where the host had put it
  EXPECT_EQ(placed.top, 20);
  ASSERT_NE(effect->application.window, nullptr);
  EXPECT_EQ(effect->application.window->widgets.count, 25);

  dispatch(effEditClose);
  EXPECT_EQ(GetWindow(parent, GW_CHILD), nullptr);
  EXPECT_FALSE(IsWindow(child));
  EXPECT_EQ(effect->application.window->widgets.count, 0);
}

TEST_F(MainVstEditor, ClosingTheEffectWhileOpenDestroysItsWindow) {
  ASSERT_EQ(dispatch(effEditOpen, parent), 1);
  HWND child = GetWindow(parent, GW_CHILD);
  ASSERT_TRUE(IsWindow(child));
  testing::internal::CaptureStdout();
  EXPECT_EQ(record->dispatcher(record, effClose, 0, 0, nullptr, 0.0f), 1);
  testing::internal::GetCapturedStdout();
  record = nullptr;
  EXPECT_FALSE(IsWindow(child));
}

TEST_F(MainVstEditor, SomethingThatIsNoWindowOpensNothing) {
  int notAWindow = 0;
  EXPECT_EQ(dispatch(effEditOpen, &notAWindow), 0);
  EXPECT_EQ(effect->application.window, nullptr);
  dispatch(effEditClose);
}

}  // namespace
