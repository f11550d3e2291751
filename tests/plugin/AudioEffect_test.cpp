#include "plugin/AudioEffect.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <limits>
#include <string>

#include "VstProbeEffect.h"
#include "VstTestHost.h"

namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> out;
  size_t start = 0;
  for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
    out.push_back(text.substr(start, end - start));
  return out;
}

TEST(AudioEffect, ConstructorFillsTheRecord) {
  VstProbeEffect effect(nullptr, 3, 7);
  const AEffect* e = effect.getAeffect();
  EXPECT_EQ(e->magic, 0x56737450);
  EXPECT_NE(e->dispatcher, nullptr);
  EXPECT_NE(e->process, nullptr);
  EXPECT_NE(e->setParameter, nullptr);
  EXPECT_NE(e->getParameter, nullptr);
  EXPECT_NE(e->processReplacing, nullptr);
  EXPECT_NE(e->processDoubleReplacing, nullptr);
  EXPECT_EQ(e->numPrograms, 3);
  EXPECT_EQ(e->numParams, 7);
  EXPECT_EQ(e->numInputs, 1);
  EXPECT_EQ(e->numOutputs, 2);
  EXPECT_EQ(e->flags, effFlagsCanReplacing);
  EXPECT_EQ(e->resvd1, 0);
  EXPECT_EQ(e->resvd2, 0);
  EXPECT_EQ(e->initialDelay, 0);
  EXPECT_EQ(e->realQualities, 0);
  EXPECT_EQ(e->offQualities, 0);
  EXPECT_EQ(e->ioRatio, 1.0f);
  EXPECT_EQ(e->object, &effect);
  EXPECT_EQ(e->user, nullptr);
  EXPECT_EQ(e->uniqueID, 0x4E6F4566);
  EXPECT_EQ(e->version, 1);
  for (char c : e->future) EXPECT_EQ(c, 0);
  EXPECT_EQ(effect.getSampleRate(), 44100.0f);
  EXPECT_EQ(effect.getBlockSize(), 1024);
  EXPECT_EQ(effect.getProgram(), 0);
  EXPECT_EQ(effect.getEditor(), nullptr);
}

TEST(AudioEffect, RecordEntriesReachTheInstance) {
  VstProbeEffect effect(nullptr);
  AEffect* e = effect.getAeffect();
  e->setParameter(e, 1, 0.75f);
  EXPECT_EQ(effect.parameters[1], 0.75f);
  EXPECT_EQ(e->getParameter(e, 1), 0.75f);
  e->processReplacing(e, nullptr, nullptr, 17);
  EXPECT_EQ(effect.replacingFrames, 17);
  e->process(e, nullptr, nullptr, 9);
  EXPECT_EQ(effect.accumulatingFrames, 9);
  e->processDoubleReplacing(e, nullptr, nullptr, 5);  // the base does nothing, and survives it
  EXPECT_EQ(e->dispatcher(e, effIdentify, 0, 0, nullptr, 0.0f), 0x4E764566);
}

TEST(AudioEffect, CloseThroughTheRecordDestroysTheInstanceAndRepliesOne) {
  auto* effect = new VstProbeEffect(nullptr);
  const int before = VstProbeEffect::destroyed;
  AEffect* e = effect->getAeffect();
  EXPECT_EQ(e->dispatcher(e, effClose, 0, 0, nullptr, 0.0f), 1);
  EXPECT_EQ(VstProbeEffect::destroyed, before + 1);
}

TEST(AudioEffect, CloseGivenToTheDispatcherDirectlyRepliesZeroAndKeepsTheInstance) {
  VstProbeEffect effect(nullptr);
  const int before = VstProbeEffect::destroyed;
  EXPECT_EQ(effect.dispatcher(effClose, 0, 0, nullptr, 0.0f), 0);
  EXPECT_EQ(VstProbeEffect::destroyed, before);
  EXPECT_THAT(effect.calls, ElementsAre("close"));
}

TEST(AudioEffect, SetProgramHasOnlyAnUpperBound) {
  VstProbeEffect effect(nullptr, 2, 1);
  effect.dispatcher(effSetProgram, 0, 1, nullptr, 0.0f);
  EXPECT_EQ(effect.currentProgram(), 1);
  effect.dispatcher(effSetProgram, 0, 2, nullptr, 0.0f);  // equal to the number of programs
  EXPECT_EQ(effect.currentProgram(), 1);
  effect.dispatcher(effSetProgram, 0, -1, nullptr, 0.0f);
  EXPECT_EQ(effect.currentProgram(), -1);
}

TEST(AudioEffect, GetProgramWritesTheExtraTraceLine) {
  VstProbeEffect effect(nullptr, 2, 1);
  effect.setProgram(1);
  testing::internal::CaptureStdout();
  const VstIntPtr reply = effect.dispatcher(effGetProgram, 0, 0, nullptr, 0.0f);
  const std::vector<std::string> out = lines(testing::internal::GetCapturedStdout());
  EXPECT_EQ(reply, 1);
  ASSERT_EQ(out.size(), 3u);
  EXPECT_THAT(out[0], HasSubstr("AudioEffectX::dispatcher opcode=3 'UNKNOWN'"));
  EXPECT_THAT(out[1], HasSubstr("AudioEffect::dispatcher opcode=3 'effGetProgram'"));
  EXPECT_EQ(out[2], "DISPATCH effGetProgram");
}

TEST(AudioEffect, TraceLinesCarryEveryArgument) {
  VstProbeEffect effect(nullptr);
  testing::internal::CaptureStdout();
  effect.dispatcher(effMainsChanged, 3, 5, nullptr, 0.5f);
  const std::vector<std::string> out = lines(testing::internal::GetCapturedStdout());
  const std::string tail =
      " index=3 value=5 ptr=0 opt=0.500000 ( VST_FORCE_DEPRECATED VST_2_1_EXTENSIONS VST_2_3_EXTENSIONS "
      "VST_2_4_EXTENSIONS)";
  EXPECT_THAT(out, ElementsAre("AudioEffectX::dispatcher opcode=12 'UNKNOWN'" + tail,
                               "AudioEffect::dispatcher opcode=12 'effMainsChanged'" + tail));
}

TEST(AudioEffect, UnservedOpcodesReplyZeroWithTwoUnknownLines) {
  VstProbeEffect effect(nullptr);
  for (VstInt32 opcode : {9, 80}) {
    testing::internal::CaptureStdout();
    EXPECT_EQ(effect.dispatcher(opcode, 0, 0, nullptr, 0.0f), 0) << opcode;
    const std::vector<std::string> out = lines(testing::internal::GetCapturedStdout());
    ASSERT_EQ(out.size(), 2u) << opcode;
    const std::string number = "opcode=" + std::to_string(opcode) + " 'UNKNOWN'";
    EXPECT_THAT(out[0], HasSubstr("AudioEffectX::dispatcher " + number));
    EXPECT_THAT(out[1], HasSubstr("AudioEffect::dispatcher " + number));
  }
}

TEST(AudioEffect, MainsChangedSuspendsOnZeroAndResumesOtherwise) {
  VstProbeEffect effect(nullptr);
  effect.dispatcher(effMainsChanged, 0, 5, nullptr, 0.0f);
  effect.dispatcher(effMainsChanged, 0, 0, nullptr, 0.0f);
  EXPECT_THAT(effect.calls, ElementsAre("resume", "suspend"));
}

TEST(AudioEffect, SampleRateAndBlockSizeAreStored) {
  VstProbeEffect effect(nullptr);
  effect.dispatcher(effSetSampleRate, 0, 0, nullptr, 48000.0f);
  effect.dispatcher(effSetBlockSize, 0, 256, nullptr, 0.0f);
  EXPECT_EQ(effect.getSampleRate(), 48000.0f);
  EXPECT_EQ(effect.getBlockSize(), 256);
}

TEST(AudioEffect, TextOpcodesWriteEmptyTextsAndIgnoreAMissingBuffer) {
  VstProbeEffect effect(nullptr);
  for (VstInt32 opcode : {effGetProgramName, effGetParamLabel, effGetParamDisplay, effGetParamName}) {
    char text[8] = "xxxxxxx";
    effect.dispatcher(opcode, 0, 0, text, 0.0f);
    EXPECT_STREQ(text, "") << opcode;
    EXPECT_EQ(effect.dispatcher(opcode, 0, 0, nullptr, 0.0f), 0) << opcode;
  }
}

TEST(AudioEffect, EditorOpcodesWithoutAnEditorReplyZero) {
  VstProbeEffect effect(nullptr);
  ERect* rect = reinterpret_cast<ERect*>(1);
  for (VstInt32 opcode : {effEditGetRect, effEditOpen, effEditClose, effEditIdle, effEditKeyDown,
                          effEditKeyUp, effSetEditKnobMode})
    EXPECT_EQ(effect.dispatcher(opcode, 0, 0, &rect, 0.0f), 0) << opcode;
}

TEST(AudioEffect, EditorOpcodesReachTheAttachedEditor) {
  VstProbeEffect effect(nullptr);
  auto* editor = new VstProbeEditor(&effect);
  effect.setEditor(editor);
  ERect* rect = nullptr;
  EXPECT_EQ(effect.dispatcher(effEditGetRect, 0, 0, &rect, 0.0f), 1);
  EXPECT_EQ(rect, &editor->rectangle);
  int parent = 0;
  EXPECT_EQ(effect.dispatcher(effEditOpen, 0, 0, &parent, 0.0f), 1);
  EXPECT_TRUE(editor->isOpen());
  effect.dispatcher(effEditIdle, 0, 0, nullptr, 0.0f);
  EXPECT_EQ(editor->idles, 1);
  EXPECT_EQ(effect.dispatcher(effEditClose, 0, 0, nullptr, 0.0f), 0);
  EXPECT_FALSE(editor->isOpen());
}

TEST(AudioEffect, SetEditorOwnsTheEditorAndKeepsTheOtherFlags) {
  const int before = VstProbeEditor::destroyed;
  {
    VstProbeEffect effect(nullptr);
    effect.hasClip(true);
    auto* editor = new VstProbeEditor(&effect);
    effect.setEditor(editor);
    EXPECT_EQ(effect.flags(), effFlagsCanReplacing | effFlagsHasClip | effFlagsHasEditor);
    effect.setEditor(nullptr);
    EXPECT_EQ(effect.flags(), effFlagsCanReplacing | effFlagsHasClip);
    EXPECT_EQ(VstProbeEditor::destroyed, before);  // detaching does not destroy
    effect.setEditor(editor);
  }
  EXPECT_EQ(VstProbeEditor::destroyed, before + 1);
}

TEST(AudioEffect, FlagSettersOwnOneBitEach) {
  VstProbeEffect effect(nullptr);
  const struct {
    std::function<void(bool)> set;
    VstInt32 bit;
  } setters[] = {
      {[&](bool s) { effect.hasClip(s); }, 0x2},
      {[&](bool s) { effect.hasVu(s); }, 0x4},
      {[&](bool s) { effect.canMono(s); }, 0x8},
      {[&](bool s) { effect.canProcessReplacing(s); }, 0x10},
      {[&](bool s) { effect.programsAreChunks(s); }, 0x20},
      {[&](bool s) { effect.isSynth(s); }, 0x100},
      {[&](bool s) { effect.noTail(s); }, 0x200},
      {[&](bool s) { effect.wantAsyncOperation(s); }, 0x400},
      {[&](bool s) { effect.hasExternalBuffer(s); }, 0x800},
      {[&](bool s) { effect.canDoubleReplacing(s); }, 0x1000},
  };
  for (const auto& setter : setters) {
    const VstInt32 before = effect.flags();
    setter.set(true);
    EXPECT_EQ(effect.flags(), before | setter.bit) << setter.bit;
    setter.set(false);
    EXPECT_EQ(effect.flags(), before & ~setter.bit) << setter.bit;
    setter.set((before & setter.bit) != 0);
  }
}

TEST(AudioEffect, RecordSettersWriteTheirFields) {
  VstProbeEffect effect(nullptr);
  effect.setUniqueID(0x78343465);
  effect.setNumInputs(4);
  effect.setNumOutputs(6);
  effect.setInitialDelay(64);
  effect.setRealtimeQualities(3);
  effect.setOfflineQualities(5);
  const AEffect* e = effect.getAeffect();
  EXPECT_EQ(e->uniqueID, 0x78343465);
  EXPECT_EQ(e->numInputs, 4);
  EXPECT_EQ(e->numOutputs, 6);
  EXPECT_EQ(e->initialDelay, 64);
  EXPECT_EQ(e->realQualities, 3);
  EXPECT_EQ(e->offQualities, 5);
}

TEST(AudioEffect, MasterVersionIsOneWhenTheHostSaysNothing) {
  {
    VstProbeEffect effect(nullptr);
    EXPECT_EQ(effect.getMasterVersion(), 1);
  }
  VstTestHost host;
  VstProbeEffect effect(VstTestHost::callback);
  EXPECT_EQ(effect.getMasterVersion(), 1);
  host.replies[audioMasterVersion] = 2400;
  EXPECT_EQ(effect.getMasterVersion(), 2400);
  ASSERT_EQ(host.callsOf(audioMasterVersion).size(), 2u);
  EXPECT_EQ(host.callsOf(audioMasterVersion)[0].effect, effect.getAeffect());
}

TEST(AudioEffect, PinsCountAsConnectedUnlessTheHostRepliesNonZero) {
  {
    VstProbeEffect effect(nullptr);
    EXPECT_TRUE(effect.isInputConnected(0));
    EXPECT_TRUE(effect.isOutputConnected(1));
  }
  VstTestHost host;
  VstProbeEffect effect(VstTestHost::callback);
  EXPECT_TRUE(effect.isInputConnected(0));
  host.defaultReply = 1;
  EXPECT_FALSE(effect.isInputConnected(3));
  EXPECT_FALSE(effect.isOutputConnected(1));
  const std::vector<VstHostCall> calls = host.callsOf(audioMasterPinConnected);
  ASSERT_EQ(calls.size(), 3u);
  EXPECT_EQ(calls[1].index, 3);
  EXPECT_EQ(calls[1].value, 0);
  EXPECT_EQ(calls[2].index, 1);
  EXPECT_EQ(calls[2].value, 1);
}

TEST(AudioEffect, AutomatedSetTellsTheHostAfterSetting) {
  VstTestHost host;
  VstProbeEffect effect(VstTestHost::callback);
  effect.setParameterAutomated(1, 0.25f);
  EXPECT_EQ(effect.parameters[1], 0.25f);
  const std::vector<VstHostCall> calls = host.callsOf(audioMasterAutomate);
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].index, 1);
  EXPECT_EQ(calls[0].opt, 0.25f);
}

TEST(AudioEffect, HostQueriesSendTheirOpcodes) {
  VstTestHost host;
  host.replies[audioMasterCurrentId] = 77;
  VstProbeEffect effect(VstTestHost::callback);
  EXPECT_EQ(effect.getCurrentUniqueId(), 77);
  effect.masterIdle();
  EXPECT_EQ(host.callsOf(audioMasterIdle).size(), 1u);
  VstProbeEffect lonely(nullptr);
  EXPECT_EQ(lonely.getCurrentUniqueId(), 0);
}

struct FormatCase {
  const char* name;
  std::function<void(AudioEffect&, char*, VstInt32)> format;
  VstInt32 maxLen;
  const char* expected;
};

TEST(AudioEffect, FormattersWriteTheirTexts) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const FormatCase cases[] = {
      {"float 1.5", [](AudioEffect& e, char* t, VstInt32 n) { e.float2string(1.5f, t, n); }, 8, "1.500000"},
      {"float -2.25", [](AudioEffect& e, char* t, VstInt32 n) { e.float2string(-2.25f, t, n); }, 8,
       "-2.25000"},
      {"float 0.5", [](AudioEffect& e, char* t, VstInt32 n) { e.float2string(0.5f, t, n); }, 8, "0.500000"},
      {"float 123.4", [](AudioEffect& e, char* t, VstInt32 n) { e.float2string(123.4f, t, n); }, 8,
       "123.4000"},
      {"float 0", [](AudioEffect& e, char* t, VstInt32 n) { e.float2string(0.0f, t, n); }, 8, "0.000000"},
      {"float cut", [](AudioEffect& e, char* t, VstInt32 n) { e.float2string(1.5f, t, n); }, 3, "1.5"},
      {"float 7 digits", [](AudioEffect& e, char* t, VstInt32 n) { e.float2string(1234567.0f, t, n); }, 8,
       "1234567."},
      {"float 8 digits", [](AudioEffect& e, char* t, VstInt32 n) { e.float2string(12345678.0f, t, n); }, 8,
       "12345678"},
      {"float -7 digits", [](AudioEffect& e, char* t, VstInt32 n) { e.float2string(-1234567.0f, t, n); }, 8,
       "-1234567"},
      {"float -1e7", [](AudioEffect& e, char* t, VstInt32 n) { e.float2string(-10000000.0f, t, n); }, 8,
       "Huge!"},
      {"float 1e8", [](AudioEffect& e, char* t, VstInt32 n) { e.float2string(100000000.0f, t, n); }, 8,
       "Huge!"},
      {"float NaN", [&](AudioEffect& e, char* t, VstInt32 n) { e.float2string(nan, t, n); }, 8, "Huge!"},
      {"int -42", [](AudioEffect& e, char* t, VstInt32 n) { e.int2string(-42, t, n); }, 8, "-42"},
      {"int 0", [](AudioEffect& e, char* t, VstInt32 n) { e.int2string(0, t, n); }, 8, "0"},
      {"int 99999999", [](AudioEffect& e, char* t, VstInt32 n) { e.int2string(99999999, t, n); }, 8,
       "99999999"},
      {"int 1e8", [](AudioEffect& e, char* t, VstInt32 n) { e.int2string(100000000, t, n); }, 8, "Huge!"},
      {"int -1e8", [](AudioEffect& e, char* t, VstInt32 n) { e.int2string(-100000000, t, n); }, 8, "Huge!"},
      {"dB 0", [](AudioEffect& e, char* t, VstInt32 n) { e.dB2string(0.0f, t, n); }, 8, "-oo"},
      {"dB -1", [](AudioEffect& e, char* t, VstInt32 n) { e.dB2string(-1.0f, t, n); }, 8, "-oo"},
      {"dB 1", [](AudioEffect& e, char* t, VstInt32 n) { e.dB2string(1.0f, t, n); }, 8, "0.000000"},
      {"dB 10", [](AudioEffect& e, char* t, VstInt32 n) { e.dB2string(10.0f, t, n); }, 8, "20.00000"},
      {"Hz 0", [](AudioEffect& e, char* t, VstInt32 n) { e.Hz2string(0.0f, t, n); }, 8, "0.000000"},
      {"Hz 100", [](AudioEffect& e, char* t, VstInt32 n) { e.Hz2string(100.0f, t, n); }, 8, "441.0000"},
      {"ms 44100", [](AudioEffect& e, char* t, VstInt32 n) { e.ms2string(44100.0f, t, n); }, 8, "1000.000"},
  };
  VstProbeEffect effect(nullptr);
  for (const FormatCase& c : cases) {
    char text[16];
    std::memset(text, 'x', sizeof text);
    c.format(effect, text, c.maxLen);
    EXPECT_STREQ(text, c.expected) << c.name;
  }
}

TEST(AudioEffect, ChunksAreEmptyByDefault) {
  VstProbeEffect effect(nullptr);
  void* data = &effect;
  EXPECT_EQ(effect.dispatcher(effGetChunk, 0, 0, &data, 0.0f), 0);
  EXPECT_EQ(effect.dispatcher(effSetChunk, 0, 4, &data, 0.0f), 0);
}

}  // namespace
