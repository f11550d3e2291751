#include "plugin/AudioEffectX.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

#include "VstProbeEffect.h"
#include "VstTestHost.h"

namespace {

TEST(AudioEffectX, DefaultRepliesOfAnEffectThatOverridesNothing) {
  VstProbeEffect effect(nullptr);
  EXPECT_EQ(effect.dispatcher(effGetVstVersion, 0, 0, nullptr, 0.0f), 2400);
  for (VstInt32 index : {0, 1, 99, -5})
    EXPECT_EQ(effect.dispatcher(effCanBeAutomated, index, 0, nullptr, 0.0f), 1);
  EXPECT_EQ(effect.dispatcher(effGetCurrentMidiProgram, 0, 0, nullptr, 0.0f), -1);
  EXPECT_EQ(effect.dispatcher(effIdentify, 0, 0, nullptr, 0.0f), 0x4E764566);
  EXPECT_EQ(effect.dispatcher(effGetPlugCategory, 0, 0, nullptr, 0.0f), 0);
  char text[] = "receiveVstMidiEvent";
  EXPECT_EQ(effect.dispatcher(effCanDo, 0, 0, text, 0.0f), 0);
  EXPECT_EQ(effect.dispatcher(effSetTotalSampleToProcess, 0, 1234, nullptr, 0.0f), 1234);
  EXPECT_EQ(effect.dispatcher(effGetTailSize, 0, 0, nullptr, 0.0f), 0);
  EXPECT_EQ(effect.dispatcher(effSetProcessPrecision, 0, 1, nullptr, 0.0f), 0);
  EXPECT_EQ(effect.dispatcher(effStartProcess, 0, 0, nullptr, 0.0f), 0);
  EXPECT_EQ(effect.dispatcher(effStopProcess, 0, 0, nullptr, 0.0f), 0);
  char name[64] = "unchanged";
  EXPECT_EQ(effect.dispatcher(effGetEffectName, 0, 0, name, 0.0f), 0);
  EXPECT_STREQ(name, "unchanged");
  effect.isSynth(true);
  EXPECT_EQ(effect.dispatcher(effGetPlugCategory, 0, 0, nullptr, 0.0f), 2);
}

TEST(AudioEffectX, KeyDownHandsTheEditorTheKeyRecord) {
  VstProbeEffect effect(nullptr);
  auto* editor = new VstProbeEditor(&effect);
  effect.setEditor(editor);
  EXPECT_EQ(effect.dispatcher(effEditKeyDown, 65, 0x1FF, nullptr, 2.9f), 1);
  EXPECT_EQ(editor->lastKey.character, 65);
  EXPECT_EQ(editor->lastKey.virt, 0xFF);
  EXPECT_EQ(editor->lastKey.modifier, 2);
  EXPECT_EQ(effect.dispatcher(effEditKeyUp, 65, 0, nullptr, 0.0f), 0);  // the base editor declines
  EXPECT_EQ(effect.dispatcher(effSetEditKnobMode, 0, 2, nullptr, 0.0f), 0);
}

TEST(AudioEffectX, ResumeAsksForEventsOnlyForSynthsAndMidiTakers) {
  VstTestHost host;
  VstProbeEffect effect(VstTestHost::callback);
  effect.resume();
  EXPECT_TRUE(host.callsOf(audioMasterWantMidi).empty());
  effect.canDoReply = 2;  // only exactly 1 counts
  effect.resume();
  EXPECT_TRUE(host.callsOf(audioMasterWantMidi).empty());
  effect.canDoReply = 1;
  effect.resume();
  effect.canDoReply = 0;
  effect.isSynth(true);
  effect.resume();
  const std::vector<VstHostCall> calls = host.callsOf(audioMasterWantMidi);
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].value, 1);
}

TEST(AudioEffectX, GetSpeakerArrangementClearsWhatTheHostPassed) {
  VstProbeEffect effect(nullptr);
  VstSpeakerArrangement dummy{};
  VstSpeakerArrangement* input = &dummy;
  VstSpeakerArrangement* output = &dummy;
  EXPECT_EQ(
      effect.dispatcher(effGetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(&input), &output, 0.0f), 0);
  EXPECT_EQ(input, nullptr);
  EXPECT_EQ(output, nullptr);
  EXPECT_EQ(effect.dispatcher(effGetSpeakerArrangement, 0, 0, nullptr, 0.0f), 0);  // and survives none
}

// Each wrapper: the call, the opcode it sends, its index and value, its answer without a host and
// with a host that replies 7.
struct HostWrapperCase {
  const char* name;
  std::function<VstIntPtr(AudioEffectX&)> call;
  VstInt32 opcode;
  VstInt32 index;
  VstIntPtr value;
  VstIntPtr withoutHost;
  VstIntPtr withHost;
};

TEST(AudioEffectX, HostWrappersSendTheirOpcodesAndReadTheReplies) {
  static char text[64] = "text";
  static int token;
  const HostWrapperCase cases[] = {
      {"beginEdit", [](AudioEffectX& e) { return e.beginEdit(1); }, audioMasterBeginEdit, 1, 0, 0, 1},
      {"endEdit", [](AudioEffectX& e) { return e.endEdit(1); }, audioMasterEndEdit, 1, 0, 0, 1},
      {"ioChanged", [](AudioEffectX& e) { return e.ioChanged(); }, audioMasterIOChanged, 0, 0, 0, 1},
      {"getInputLatency", [](AudioEffectX& e) { return e.getInputLatency(); }, audioMasterGetInputLatency, 0,
       0, 0, 7},
      {"getOutputLatency", [](AudioEffectX& e) { return e.getOutputLatency(); }, audioMasterGetOutputLatency,
       0, 0, 0, 7},
      {"getTimeInfo", [](AudioEffectX& e) { return reinterpret_cast<VstIntPtr>(e.getTimeInfo(3)); },
       audioMasterGetTime, 0, 3, 0, 7},
      {"getCurrentProcessLevel", [](AudioEffectX& e) { return e.getCurrentProcessLevel(); },
       audioMasterGetCurrentProcessLevel, 0, 0, 0, 7},
      {"getAutomationState", [](AudioEffectX& e) { return e.getAutomationState(); },
       audioMasterGetAutomationState, 0, 0, 0, 7},
      {"getHostVendorString", [](AudioEffectX& e) { return e.getHostVendorString(text); },
       audioMasterGetVendorString, 0, 0, 0, 1},
      {"getHostProductString", [](AudioEffectX& e) { return e.getHostProductString(text); },
       audioMasterGetProductString, 0, 0, 0, 1},
      {"getHostVendorVersion", [](AudioEffectX& e) { return e.getHostVendorVersion(); },
       audioMasterGetVendorVersion, 0, 0, 0, 7},
      {"hostVendorSpecific", [](AudioEffectX& e) { return e.hostVendorSpecific(4, 5, nullptr, 0.0f); },
       audioMasterVendorSpecific, 4, 5, 0, 7},
      {"canHostDo", [](AudioEffectX& e) { return e.canHostDo(text); }, audioMasterCanDo, 0, 0, 0, 1},
      {"getHostLanguage", [](AudioEffectX& e) { return e.getHostLanguage(); }, audioMasterGetLanguage, 0, 0,
       0, 7},
      {"getDirectory", [](AudioEffectX& e) { return reinterpret_cast<VstIntPtr>(e.getDirectory()); },
       audioMasterGetDirectory, 0, 0, 0, 7},
      {"updateDisplay", [](AudioEffectX& e) { return e.updateDisplay(); }, audioMasterUpdateDisplay, 0, 0, 0,
       1},
      {"sizeWindow", [](AudioEffectX& e) { return e.sizeWindow(200, 236); }, audioMasterSizeWindow, 200, 236,
       0, 1},
      {"openFileSelector",
       [](AudioEffectX& e) { return e.openFileSelector(reinterpret_cast<VstFileSelect*>(&token)); },
       audioMasterOpenFileSelector, 0, 0, 0, 1},
      {"closeFileSelector",
       [](AudioEffectX& e) { return e.closeFileSelector(reinterpret_cast<VstFileSelect*>(&token)); },
       audioMasterCloseFileSelector, 0, 0, 0, 1},
      {"offlineRead",
       [](AudioEffectX& e) { return e.offlineRead(reinterpret_cast<VstOfflineTask*>(&token), 6, true); },
       audioMasterOfflineRead, 1, 6, 0, 1},
      {"offlineWrite",
       [](AudioEffectX& e) { return e.offlineWrite(reinterpret_cast<VstOfflineTask*>(&token), 6); },
       audioMasterOfflineWrite, 0, 6, 0, 1},
      {"offlineStart",
       [](AudioEffectX& e) { return e.offlineStart(reinterpret_cast<VstAudioFile*>(&token), 2, 3); },
       audioMasterOfflineStart, 3, 2, 0, 1},
      {"offlineGetCurrentPass", [](AudioEffectX& e) { return e.offlineGetCurrentPass(); },
       audioMasterOfflineGetCurrentPass, 0, 0, 0, 1},
      {"offlineGetCurrentMetaPass", [](AudioEffectX& e) { return e.offlineGetCurrentMetaPass(); },
       audioMasterOfflineGetCurrentMetaPass, 0, 0, 0, 1},
      {"wantEvents", [](AudioEffectX& e) { return e.wantEvents(2), VstIntPtr(0); }, audioMasterWantMidi, 0, 2,
       0, 0},
      {"tempoAt", [](AudioEffectX& e) { return e.tempoAt(9); }, audioMasterTempoAt, 0, 9, 0, 7},
      {"getNumAutomatableParameters", [](AudioEffectX& e) { return e.getNumAutomatableParameters(); },
       audioMasterGetNumAutomatableParameters, 0, 0, 0, 7},
      {"getParameterQuantization", [](AudioEffectX& e) { return e.getParameterQuantization(); },
       audioMasterGetParameterQuantization, 0, 0, 0, 7},
      {"needIdle", [](AudioEffectX& e) { return e.needIdle(); }, audioMasterNeedIdle, 0, 0, 0, 1},
      {"getPreviousPlug", [](AudioEffectX& e) { return reinterpret_cast<VstIntPtr>(e.getPreviousPlug()); },
       audioMasterGetPreviousPlug, 0, 0, 0, 7},
      {"getNextPlug", [](AudioEffectX& e) { return reinterpret_cast<VstIntPtr>(e.getNextPlug()); },
       audioMasterGetNextPlug, 0, 0, 0, 7},
      {"willProcessReplacing", [](AudioEffectX& e) { return e.willProcessReplacing(); },
       audioMasterWillReplaceOrAccumulate, 0, 0, 0, 7},
      {"setOutputSamplerate", [](AudioEffectX& e) { return e.setOutputSamplerate(22050.0f), VstIntPtr(0); },
       audioMasterSetOutputSampleRate, 0, 0, 0, 0},
      {"getInputSpeakerArrangement",
       [](AudioEffectX& e) { return reinterpret_cast<VstIntPtr>(e.getInputSpeakerArrangement()); },
       audioMasterGetInputSpeakerArrangement, 0, 0, 0, 7},
      {"getOutputSpeakerArrangement",
       [](AudioEffectX& e) { return reinterpret_cast<VstIntPtr>(e.getOutputSpeakerArrangement()); },
       audioMasterGetOutputSpeakerArrangement, 0, 0, 0, 7},
      {"openWindow", [](AudioEffectX& e) { return reinterpret_cast<VstIntPtr>(e.openWindow(nullptr)); },
       audioMasterOpenWindow, 0, 0, 0, 7},
      {"closeWindow", [](AudioEffectX& e) { return e.closeWindow(nullptr); }, audioMasterCloseWindow, 0, 0, 0,
       1},
      {"getChunkFile", [](AudioEffectX& e) { return e.getChunkFile(&token); }, audioMasterGetChunkFile, 0, 0,
       0, 1},
  };
  for (const HostWrapperCase& c : cases) {
    {
      VstProbeEffect lonely(nullptr);
      EXPECT_EQ(c.call(lonely), c.withoutHost) << c.name;
    }
    VstTestHost host;
    host.defaultReply = 7;
    VstProbeEffect effect(VstTestHost::callback);
    EXPECT_EQ(c.call(effect), c.withHost) << c.name;
    const std::vector<VstHostCall> calls = host.callsOf(c.opcode);
    ASSERT_EQ(calls.size(), 1u) << c.name;
    EXPECT_EQ(calls[0].index, c.index) << c.name;
    EXPECT_EQ(calls[0].value, c.value) << c.name;
    EXPECT_EQ(calls[0].effect, effect.getAeffect()) << c.name;
  }
}

TEST(AudioEffectX, FileSelectorsAskNothingWithoutARecord) {
  VstTestHost host;
  host.defaultReply = 1;
  VstProbeEffect effect(VstTestHost::callback);
  EXPECT_FALSE(effect.openFileSelector(nullptr));
  EXPECT_FALSE(effect.closeFileSelector(nullptr));
  EXPECT_FALSE(effect.getChunkFile(nullptr));
  EXPECT_TRUE(host.calls.empty());
}

TEST(AudioEffectX, SampleRateAndBlockSizeUpdatesKeepTheOldValueOnNonPositiveReplies) {
  VstTestHost host;
  VstProbeEffect effect(VstTestHost::callback);
  for (VstIntPtr reply : {0, -48000}) {
    host.replies[audioMasterGetSampleRate] = reply;
    host.replies[audioMasterGetBlockSize] = reply;
    EXPECT_EQ(effect.updateSampleRate(), 44100.0f);
    EXPECT_EQ(effect.updateBlockSize(), 1024);
  }
  host.replies[audioMasterGetSampleRate] = 96000;
  host.replies[audioMasterGetBlockSize] = 64;
  EXPECT_EQ(effect.updateSampleRate(), 96000.0f);
  EXPECT_EQ(effect.updateBlockSize(), 64);
  effect.setBlockSizeAndSampleRate(128, 22050.0f);
  EXPECT_EQ(effect.storedBlockSize(), 128);
  EXPECT_EQ(effect.storedSampleRate(), 22050.0f);
}

TEST(AudioEffectX, AllocateArrangementMakesAClearedBlockOfThatManyChannels) {
  VstProbeEffect effect(nullptr);
  VstSpeakerArrangement* arrangement = nullptr;
  ASSERT_TRUE(effect.allocateArrangement(&arrangement, 2));
  EXPECT_EQ(arrangement->numChannels, 2);
  EXPECT_EQ(arrangement->type, 0);
  EXPECT_EQ(arrangement->speakers[1].name[0], 0);
  ASSERT_TRUE(effect.allocateArrangement(&arrangement, 1));  // replaces (and frees) the first
  EXPECT_EQ(arrangement->numChannels, 1);
  EXPECT_FALSE(effect.allocateArrangement(&arrangement, -1));
  EXPECT_EQ(arrangement, nullptr);
  EXPECT_TRUE(effect.deleteArrangement(&arrangement));
  EXPECT_EQ(arrangement, nullptr);
}

TEST(AudioEffectX, CopySpeakerCutsTheNameAndCopiesTheRest) {
  VstProbeEffect effect(nullptr);
  VstSpeakerProperties from{};
  std::memset(from.name, 'n', sizeof from.name);  // no terminator at all
  from.azimuth = 1.0f;
  from.elevation = 2.0f;
  from.radius = 3.0f;
  from.reserved = 4.0f;
  from.type = 5;
  from.future[27] = 9;
  VstSpeakerProperties to{};
  ASSERT_TRUE(effect.copySpeaker(&to, &from));
  EXPECT_EQ(std::string(to.name), std::string(63, 'n'));
  EXPECT_EQ(to.azimuth, 1.0f);
  EXPECT_EQ(to.elevation, 2.0f);
  EXPECT_EQ(to.radius, 3.0f);
  EXPECT_EQ(to.reserved, 4.0f);
  EXPECT_EQ(to.type, 5);
  EXPECT_EQ(to.future[27], 9);
  EXPECT_FALSE(effect.copySpeaker(nullptr, &from));
  EXPECT_FALSE(effect.copySpeaker(&to, nullptr));
}

TEST(AudioEffectX, MatchArrangementCopiesTypeAndSpeakers) {
  VstProbeEffect effect(nullptr);
  VstSpeakerArrangement* from = nullptr;
  ASSERT_TRUE(effect.allocateArrangement(&from, 2));
  from->type = 3;
  std::strcpy(from->speakers[1].name, "R");
  from->speakers[1].type = 2;
  VstSpeakerArrangement* to = nullptr;
  ASSERT_TRUE(effect.matchArrangement(&to, from));
  EXPECT_EQ(to->type, 3);
  EXPECT_EQ(to->numChannels, 2);
  EXPECT_STREQ(to->speakers[1].name, "R");
  EXPECT_EQ(to->speakers[1].type, 2);
  EXPECT_FALSE(effect.matchArrangement(&to, nullptr));
  effect.deleteArrangement(&to);
  effect.deleteArrangement(&from);
}

TEST(AudioEffectX, FxIdleWritesItsLine) {
  VstProbeEffect effect(nullptr);
  testing::internal::CaptureStdout();
  EXPECT_EQ(effect.fxIdle(), 0);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "*** fxIdle ***\n");
}

}  // namespace
