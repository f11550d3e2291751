#include "plugin/VSTPluginMain.h"

#include <gtest/gtest.h>

#include "VstTestHost.h"

namespace {

TEST(VSTPluginMain, AHostThatDoesNotAnswerTheVersionGetsNothing) {
  VstTestHost host;
  EXPECT_EQ(VSTPluginMain(VstTestHost::callback), nullptr);
  ASSERT_EQ(host.calls.size(), 1u);  // the version query alone: nothing was created
  EXPECT_EQ(host.calls[0].opcode, audioMasterVersion);
  EXPECT_EQ(host.calls[0].effect, nullptr);
  EXPECT_EQ(VSTPluginMain(nullptr), nullptr);
}

TEST(VSTPluginMain, BothEntryNamesCreateAnEffectThatCloseDestroys) {
  VstTestHost host;
  host.replies[audioMasterVersion] = 2400;
  for (auto entry : {&VSTPluginMain, &MAIN}) {
    AEffect* effect = entry(VstTestHost::callback);
    ASSERT_NE(effect, nullptr);
    EXPECT_EQ(effect->magic, kEffectMagic);
    EXPECT_EQ(effect->uniqueID, 0x78343465);
    testing::internal::CaptureStdout();
    EXPECT_EQ(effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f), 1);
    testing::internal::GetCapturedStdout();
  }
}

}  // namespace
