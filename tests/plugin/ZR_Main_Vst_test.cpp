#include "plugin/ZR_Main_Vst.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "../app/ZR_app_test_support.h"
#include "VstTestHost.h"
#include "app/ZR_Product.h"
#include "engine/ZR_Buffer.h"
#include "engine/ZR_Effect.h"
#include "engine/ZR_Soundpipe.h"

namespace {

class MainVst : public testing::Test {
 protected:
  void SetUp() override {
    host.replies[audioMasterVersion] = 2400;
    effect = new ZR_Main_Vst(VstTestHost::callback);
    record = effect->getAeffect();
  }
  void TearDown() override {
    testing::internal::CaptureStdout();
    record->dispatcher(record, effClose, 0, 0, nullptr, 0.0f);
    testing::internal::GetCapturedStdout();
  }

  VstIntPtr dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr,
                     float opt = 0.0f) {
    testing::internal::CaptureStdout();
    const VstIntPtr reply = record->dispatcher(record, opcode, index, value, ptr, opt);
    testing::internal::GetCapturedStdout();
    return reply;
  }

  // A parameter text as the host reads it: the 8 bytes the effect wrote.
  std::string paramText(VstInt32 opcode, VstInt32 index) {
    char text[kVstMaxParamStrLen + 8];
    std::memset(text, 'x', sizeof text);
    dispatch(opcode, index, 0, text);
    EXPECT_EQ(text[kVstMaxParamStrLen - 1], '\0');  // cut texts end in the zero bytes written first
    EXPECT_EQ(text[kVstMaxParamStrLen], 'x');       // and nothing beyond the 8 bytes is touched
    return text;
  }

  VstTestHost host;
  ZR_Main_Vst* effect = nullptr;
  AEffect* record = nullptr;
};

TEST_F(MainVst, AnnouncesTheProductsIdentity) {
  EXPECT_EQ(record->magic, kEffectMagic);
  EXPECT_EQ(record->numPrograms, 1);
  EXPECT_EQ(record->numParams, 2);
  EXPECT_EQ(record->numInputs, 1);
  EXPECT_EQ(record->numOutputs, 2);
  EXPECT_EQ(record->uniqueID, 0x78343465);
  // The editor flag follows the platform's editor (none in the headless build).
  EXPECT_EQ(record->flags & ~effFlagsHasEditor, effFlagsCanReplacing);
  EXPECT_EQ((record->flags & effFlagsHasEditor) != 0, effect->getEditor() != nullptr);
  EXPECT_EQ(dispatch(effGetPlugCategory), 1);
  EXPECT_EQ(dispatch(effGetVendorVersion), 1000);
  EXPECT_EQ(dispatch(effGetVstVersion), 2400);
  char text[kVstMaxProductStrLen] = {};
  EXPECT_EQ(dispatch(effGetEffectName, 0, 0, text), 1);
  EXPECT_STREQ(text, "3-rd order Butterworth low-pass");
  EXPECT_EQ(dispatch(effGetVendorString, 0, 0, text), 1);
  EXPECT_STREQ(text, ZR_Product::vendor);
  EXPECT_EQ(dispatch(effGetProductString, 0, 0, text), 1);
  EXPECT_EQ(std::string(text), std::string(ZR_Product::vendor) + " 3-rd order Butterworth low-pass");
  EXPECT_EQ(dispatch(effGetProgramNameIndexed, 0, 0, text), 1);
  EXPECT_STREQ(text, "Default program");
  char program[kVstMaxProgNameLen];
  std::memset(program, 'x', sizeof program);
  dispatch(effGetProgramName, 0, 0, program);
  EXPECT_STREQ(program, "Default program");
  EXPECT_EQ(program[kVstMaxProgNameLen - 1], '\0');
}

TEST_F(MainVst, AsksTheHostToSizeTheEditorWindow) {
  const std::vector<VstHostCall> calls = host.callsOf(audioMasterSizeWindow);
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].index, 200);
  EXPECT_EQ(calls[0].value, 236);
}

TEST_F(MainVst, ParameterNamesLabelsAndDisplays) {
  EXPECT_EQ(paramText(effGetParamName, 0), "State");
  EXPECT_EQ(paramText(effGetParamName, 1), "Frequen");
  EXPECT_EQ(paramText(effGetParamLabel, 0), "On/Off");
  EXPECT_EQ(paramText(effGetParamLabel, 1), "Hz");
  EXPECT_EQ(paramText(effGetParamDisplay, 0), "On");
  EXPECT_EQ(paramText(effGetParamDisplay, 1), "239.479");  // the cutoff of knob 1500
  record->setParameter(record, 0, 0.0f);
  EXPECT_EQ(paramText(effGetParamDisplay, 0), "Off");
  record->setParameter(record, 1, 0.0f);
  EXPECT_EQ(paramText(effGetParamDisplay, 1), "20.0000");
  record->setParameter(record, 1, 1.0f);
  EXPECT_EQ(paramText(effGetParamDisplay, 1), "10000.0");
}

TEST_F(MainVst, IndicesBeyondTheTwoParametersReadEmpty) {
  for (VstInt32 index : {2, 3, -1, 1000}) {
    EXPECT_EQ(paramText(effGetParamName, index), "") << index;
    EXPECT_EQ(paramText(effGetParamDisplay, index), "") << index;
    record->setParameter(record, index, 1.0f);
    EXPECT_EQ(record->getParameter(record, index), 0.0f) << index;
  }
}

TEST_F(MainVst, SampleRateReachesEveryNodeInWholeHertz) {
  dispatch(effSetSampleRate, 0, 0, nullptr, 44100.7f);
  int nodes = 0;
  effect->application.soundpipe()->effects.forEach<ZR_Effect>([&](ZR_Effect* node) {
    EXPECT_EQ(queryInteger(node, "clock"), 44100);
    ++nodes;
  });
  EXPECT_EQ(nodes, 4);
  EXPECT_EQ(effect->application.sampleRate, 44100);
  EXPECT_EQ(effect->getSampleRate(), 44100.0f);  // the base's field keeps its own value
  dispatch(effSetSampleRate, 0, 0, nullptr, 96000.0f);
  EXPECT_EQ(effect->getSampleRate(), 44100.0f);
  dispatch(effSetSampleRate, 0, 0, nullptr, -1.0f);  // no rate: the nodes keep theirs
  EXPECT_EQ(queryInteger(effect->application.graph[ZR_Application::kLowpass], "clock"), 96000);
}

TEST_F(MainVst, StateSwitchesAtOneHalf) {
  record->setParameter(record, 0, 0.5f);
  EXPECT_EQ(record->getParameter(record, 0), 0.0f);
  EXPECT_EQ(queryInteger(effect->application.graph[ZR_Application::kLowpass], "on"), 0);
  record->setParameter(record, 0, 0.51f);
  EXPECT_EQ(record->getParameter(record, 0), 1.0f);
  EXPECT_EQ(queryInteger(effect->application.graph[ZR_Application::kBandpass], "on"), 1);
}

TEST_F(MainVst, FrequencyAtOneQuarterGivesKnob2515AndCutoff643_75) {
  record->setParameter(record, 1, 0.25f);
  EXPECT_EQ(record->getParameter(record, 1), 0.25f);
  EXPECT_EQ(effect->application.frequency.real(), 2515.0f);
  EXPECT_EQ(paramText(effGetParamDisplay, 1), "643.750");
  EXPECT_EQ(queryReal(effect->application.graph[ZR_Application::kBandpass], "f"), 643.75f);
  EXPECT_EQ(queryInteger(effect->application.graph[ZR_Application::kLowpass], "f"), 643);
}

TEST_F(MainVst, ProgramsAreFixed) {
  dispatch(effSetProgram, 0, 0);
  dispatch(effSetProgram, 0, -1);
  EXPECT_EQ(dispatch(effGetProgram), 0);
  char name[] = "renamed";
  dispatch(effSetProgramName, 0, 0, name);
  char program[kVstMaxProgNameLen];
  dispatch(effGetProgramName, 0, 0, program);
  EXPECT_STREQ(program, "Default program");
}

TEST_F(MainVst, ChunksAreNotKept) {
  void* data = &host;
  EXPECT_EQ(dispatch(effGetChunk, 0, 0, &data), -1);
  EXPECT_EQ(data, nullptr);
  char block[16] = {};
  EXPECT_EQ(dispatch(effSetChunk, 0, sizeof block, block), 16);
}

TEST_F(MainVst, OpenSilencesTheGraph) {
  dispatch(effSetSampleRate, 0, 0, nullptr, 44100.0f);
  std::vector<float> input(600, 0.8f), left(600), right(600);
  float* in[] = {input.data()};
  float* out[] = {left.data(), right.data()};
  record->processReplacing(record, in, out, 600);
  ASSERT_NE(left[599], 0.0f);
  dispatch(effOpen);
  const auto* filter = static_cast<ZR_Buffer*>(effect->application.graph[ZR_Application::kFilterBuffer]);
  for (int32_t i = 0; i < filter->count; ++i) ASSERT_EQ(filter->main[i], 0) << i;
}

TEST_F(MainVst, ProcessReplacingFiltersIntoBothOutputs) {
  dispatch(effSetSampleRate, 0, 0, nullptr, 44100.0f);
  std::vector<float> input(4410, 0.5f), left(4410, 9.0f), right(4410, 9.0f);
  float* in[] = {input.data()};
  float* out[] = {left.data(), right.data()};
  record->processReplacing(record, in, out, 4410);
  EXPECT_EQ(left, right);
  EXPECT_LT(std::abs(left[0]), 0.05f);    // a step rises slowly through a 239 Hz low-pass
  EXPECT_NEAR(left[4409], 0.5f, 0.005f);  // and settles at unity gain
}

}  // namespace
