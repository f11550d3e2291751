#include "plugin/ZR_Main_Vst_editor.h"

#include <gtest/gtest.h>

#include "../../plugin/VstTestHost.h"
#include "plugin/ZR_Main_Vst.h"

namespace {

// The headless build has no screen window to show widgets in: hosts are told of no editor, and
// the editor opcodes answer as for an effect without one.
TEST(MainVstEditorNative, HostsAreToldOfNoEditor) {
  VstTestHost host;
  host.replies[audioMasterVersion] = 2400;
  auto* effect = new ZR_Main_Vst(VstTestHost::callback);
  AEffect* record = effect->getAeffect();
  testing::internal::CaptureStdout();
  EXPECT_EQ(ZR_Main_Vst_editor(*effect), nullptr);
  EXPECT_EQ(effect->getEditor(), nullptr);
  EXPECT_EQ(record->flags & effFlagsHasEditor, 0);
  ERect* rect = reinterpret_cast<ERect*>(&host);
  EXPECT_EQ(record->dispatcher(record, effEditGetRect, 0, 0, &rect, 0.0f), 0);
  EXPECT_EQ(rect, reinterpret_cast<ERect*>(&host));  // untouched without an editor
  int window = 0;
  EXPECT_EQ(record->dispatcher(record, effEditOpen, 0, 0, &window, 0.0f), 0);
  EXPECT_EQ(record->dispatcher(record, effClose, 0, 0, nullptr, 0.0f), 1);
  testing::internal::GetCapturedStdout();
}

}  // namespace
