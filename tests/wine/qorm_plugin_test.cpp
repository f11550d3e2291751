// The plug-in file as hosts see it: loaded by the test host, its entry found through the export
// named on the command line, every effect driven only through its record.
//
//   qorm_plugin_test PLUGIN [EXPORT] [gtest options]
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "Signal.h"
#include "TestEffect.h"
#include "TestHost.h"

namespace {

std::string pluginPath;
std::string exportName = "VSTPluginMain";

constexpr float kQuarter = 0.25f;  // Frequency at a quarter: knob 2515, cutoff 643.75 Hz
constexpr double kCutoff = 643.75;

class Plugin : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(host.load(pluginPath, exportName)) << host.error(); }

  // A new effect, started the way most hosts start one.
  std::unique_ptr<TestEffect> started(float rate = 44100.0f) {
    auto effect = std::make_unique<TestEffect>(host.create());
    EXPECT_NE(effect->record, nullptr);
    if (!effect->record) return effect;
    effect->dispatch(effSetSampleRate, 0, 0, nullptr, rate);
    effect->dispatch(effSetBlockSize, 0, 512);
    effect->dispatch(effOpen);
    effect->dispatch(effMainsChanged, 0, 1);
    return effect;
  }

  // Runs count samples of input through the effect in host blocks of blockSize; the left channel.
  static std::vector<float> run(TestEffect& effect, const std::vector<float>& input, size_t blockSize,
                                std::vector<float>* rightOut = nullptr) {
    std::vector<float> left, right, all, allRight;
    for (size_t done = 0; done < input.size(); done += blockSize) {
      const size_t n = std::min(blockSize, input.size() - done);
      effect.process(std::vector<float>(input.begin() + done, input.begin() + done + n), left, right);
      all.insert(all.end(), left.begin(), left.end());
      allRight.insert(allRight.end(), right.begin(), right.end());
    }
    if (rightOut) *rightOut = allRight;
    return all;
  }

  // The gain of a settled sine through the effect.
  static double gainAt(TestEffect& effect, double frequency, double rate = 44100.0) {
    const std::vector<float> input = sine(frequency, 0.5, rate, 44100);
    const std::vector<float> output = run(effect, input, 512);
    const std::vector<float> tail(output.begin() + 22050, output.end());
    return rms(tail) / (0.5 / std::sqrt(2.0));
  }

  TestHost host;
};

TEST_F(Plugin, AnnouncesItsIdentity) {
  auto effect = started();
  AEffect* e = effect->record;
  EXPECT_EQ(e->magic, 0x56737450);
  EXPECT_EQ(e->uniqueID, 0x78343465);
  EXPECT_EQ(e->numPrograms, 1);
  EXPECT_EQ(e->numParams, 2);
  EXPECT_EQ(e->numInputs, 1);
  EXPECT_EQ(e->numOutputs, 2);
  // Every product shows an editor: a Windows child window, or an X11 one from qorm.so.
  EXPECT_EQ(e->flags, effFlagsCanReplacing | effFlagsHasEditor);
  EXPECT_EQ(effect->dispatch(effGetPlugCategory), 1);
  EXPECT_EQ(effect->dispatch(effGetVendorVersion), 1000);
  EXPECT_EQ(effect->text(effGetEffectName), "3-rd order Butterworth low-pass");
  const std::string vendor = effect->text(effGetVendorString);
  EXPECT_FALSE(vendor.empty());
  EXPECT_EQ(effect->text(effGetProductString), vendor + " 3-rd order Butterworth low-pass");
  EXPECT_EQ(effect->text(effGetProgramName), "Default program");
  ASSERT_EQ(host.callsOf(audioMasterSizeWindow).size(), 1u);
  EXPECT_EQ(host.callsOf(audioMasterSizeWindow)[0].index, 200);
  EXPECT_EQ(host.callsOf(audioMasterSizeWindow)[0].value, 236);
}

TEST_F(Plugin, ParameterTextsFitTheHostsEightBytes) {
  auto effect = started();
  EXPECT_EQ(effect->text(effGetParamName, 0, 8), "State");
  EXPECT_EQ(effect->text(effGetParamName, 1, 8), "Frequen");
  EXPECT_EQ(effect->text(effGetParamLabel, 0, 8), "On/Off");
  EXPECT_EQ(effect->text(effGetParamLabel, 1, 8), "Hz");
  EXPECT_EQ(effect->text(effGetParamDisplay, 0, 8), "On");
  // Frequency shows the cutoff the filter runs at (knob 1500), in as many decimals as fit.
  EXPECT_EQ(effect->text(effGetParamDisplay, 1, 8), "239.479");
  effect->setParameter(1, 0.0f);
  EXPECT_EQ(effect->text(effGetParamDisplay, 1, 8), "20.0000");
  effect->setParameter(1, 1.0f);
  EXPECT_EQ(effect->text(effGetParamDisplay, 1, 8), "10000.0");
}

TEST_F(Plugin, StateSwitchesAboveOneHalf) {
  auto effect = started();
  effect->setParameter(0, 0.5f);
  EXPECT_EQ(effect->getParameter(0), 0.0f);
  EXPECT_EQ(effect->text(effGetParamDisplay, 0, 8), "Off");
  effect->setParameter(0, 0.51f);
  EXPECT_EQ(effect->getParameter(0), 1.0f);
  EXPECT_EQ(effect->text(effGetParamDisplay, 0, 8), "On");
}

TEST_F(Plugin, FrequencyAtAQuarterPutsTheCutoffAt643_75Hz) {
  auto effect = started();
  effect->setParameter(1, kQuarter);
  EXPECT_EQ(effect->getParameter(1), kQuarter);
  EXPECT_EQ(effect->text(effGetParamDisplay, 1, 8), "643.750");
  EXPECT_EQ(effect->text(effGetParamLabel, 1, 8), "Hz");
  // A third-order Butterworth: -3 dB at the cutoff, flat well below it, -18 dB an octave above.
  EXPECT_NEAR(gainAt(*effect, kCutoff), std::sqrt(0.5), 0.05);
  EXPECT_NEAR(gainAt(*effect, kCutoff / 4.0), 1.0, 0.02);
  EXPECT_NEAR(20.0 * std::log10(gainAt(*effect, 2.0 * kCutoff)), -18.1, 1.5);
}

TEST_F(Plugin, SampleRatesAreTakenInWholeHertz) {
  // Every node runs at 44100 Hz whether the host says 44100.7 or 44100, and not at 44101.
  const std::vector<float> input = sine(kCutoff, 0.5, 44100.0, 3000);
  std::vector<std::vector<float>> outputs;
  for (float rate : {44100.7f, 44100.0f, 44101.0f}) {
    auto effect = started(rate);
    effect->setParameter(1, kQuarter);
    outputs.push_back(run(*effect, input, 3000));
  }
  EXPECT_EQ(outputs[0], outputs[1]);
  EXPECT_NE(outputs[1], outputs[2]);
}

TEST_F(Plugin, WithTheFilterOffTheOutputIsTheQuantisedInputOnBothChannels) {
  auto effect = started();
  effect->setParameter(0, 0.0f);
  const std::vector<float> input = sine(3000.0, 0.9, 44100.0, 2048);
  run(*effect, input, 512);  // the block that fades the filter out
  std::vector<float> right;
  const std::vector<float> left = run(*effect, input, 512, &right);
  for (size_t i = 0; i < input.size(); ++i) {
    const float quantised =
        static_cast<float>(static_cast<int32_t>(input[i] * 1073741824.0f)) / 1073741824.0f;
    ASSERT_EQ(left[i], quantised) << i;
    ASSERT_EQ(right[i], quantised) << i;
  }
}

TEST_F(Plugin, LongHostBlocksSplitWithoutASeam) {
  // 1000 frames run as engine blocks of 512 + 488: the same samples as any other cut.
  const std::vector<float> input = sine(1000.0, 0.7, 44100.0, 1000);
  std::vector<std::vector<float>> outputs;
  for (size_t block : {1000, 512, 100}) {
    auto effect = started();
    std::vector<float> right;
    outputs.push_back(run(*effect, input, block, &right));
    EXPECT_EQ(outputs.back(), right) << block;
  }
  EXPECT_EQ(outputs[0], outputs[1]);
  EXPECT_EQ(outputs[0], outputs[2]);
  EXPECT_GT(rms(outputs[0]), 0.01);
}

TEST_F(Plugin, OutOfRangeAndNotANumberInputIsClipped) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const std::vector<float> wild = {1.5f, 1e30f, -3.0f, nan, nan, -1e30f, 2.0f, nan};
  const std::vector<float> clipped = {1.0f, 1.0f, -1.0f, -1.0f, -1.0f, -1.0f, 1.0f, -1.0f};
  auto a = started();
  auto b = started();
  for (auto* effect : {a.get(), b.get()}) {
    effect->setParameter(0, 0.0f);
    run(*effect, std::vector<float>(512, 0.0f), 512);
  }
  EXPECT_EQ(run(*a, wild, 8), clipped);
  EXPECT_EQ(run(*b, clipped, 8), clipped);
}

TEST_F(Plugin, DispatcherReplies) {
  auto effect = started();
  testing::internal::CaptureStdout();
  EXPECT_EQ(effect->dispatch(9), 0);
  EXPECT_EQ(effect->dispatch(80), 0);
  const std::string trace = testing::internal::GetCapturedStdout();
  size_t unknown = 0;
  for (size_t at = 0; (at = trace.find("'UNKNOWN'", at)) != std::string::npos; ++at) ++unknown;
  EXPECT_EQ(unknown, 4u) << trace;  // two lines for each opcode
  EXPECT_EQ(effect->dispatch(effIdentify), 0x4E764566);
  EXPECT_EQ(effect->dispatch(effGetVstVersion), 2400);
  EXPECT_EQ(effect->dispatch(effGetCurrentMidiProgram), -1);
  EXPECT_EQ(effect->dispatch(effCanBeAutomated, 1), 1);
  EXPECT_EQ(effect->dispatch(effEditKeyDown, 65, 0x1FF, nullptr, 2.9f), 0);  // the editor takes no keys
  EXPECT_EQ(effect->close(), 1);
}

TEST_F(Plugin, AHostThatDoesNotAnswerItsVersionGetsNoEffect) {
  host.versionReply = 0;
  EXPECT_EQ(host.create(), nullptr);
}

// Real hosts call in many orders; each of these must leave a working effect.
TEST_F(Plugin, CopesWithTheOrdersRealHostsUse) {
  const std::vector<float> input = sine(100.0, 0.5, 44100.0, 1024);  // well inside the pass band
  {                                                                  // queries before effOpen
    TestEffect effect(host.create());
    EXPECT_EQ(effect.dispatch(effGetPlugCategory), 1);
    EXPECT_EQ(effect.dispatch(effIdentify), 0x4E764566);
    effect.dispatch(effSetSampleRate, 0, 0, nullptr, 48000.0f);
    effect.dispatch(effSetBlockSize, 0, 1024);
    EXPECT_EQ(effect.dispatch(effSetProcessPrecision, 0, 0), 0);
    effect.dispatch(effOpen);
    effect.dispatch(effMainsChanged, 0, 1);
    EXPECT_GT(rms(run(effect, input, 1024)), 0.1);
  }
  {  // the editor asked for, with something that is no window, before its rectangle
    TestEffect effect(host.create());
    int window = 0;
    EXPECT_EQ(effect.dispatch(effEditOpen, 0, 0, &window), 0);
    ERect* rect = nullptr;
    const bool hasEditor = effect.record->flags & effFlagsHasEditor;
    EXPECT_EQ(effect.dispatch(effEditGetRect, 0, 0, &rect), hasEditor ? 1 : 0);
    EXPECT_EQ(rect != nullptr, hasEditor);
    effect.dispatch(effEditIdle);
    effect.dispatch(effEditClose);
  }
  {  // stop-process after switching off, twice over
    auto effect = started();
    effect->dispatch(effStartProcess);
    run(*effect, input, 256);
    effect->dispatch(effMainsChanged, 0, 0);
    EXPECT_EQ(effect->dispatch(effStopProcess), 0);
    effect->dispatch(effMainsChanged, 0, 0);
    effect->dispatch(effStopProcess);
  }
  {  // audio before effOpen and before any sample rate, parameters before anything
    TestEffect effect(host.create());
    effect.setParameter(1, kQuarter);
    std::vector<float> right;
    const std::vector<float> left = run(effect, input, 333, &right);
    EXPECT_EQ(left, right);
    for (float s : left) ASSERT_TRUE(std::isfinite(s));
  }
  {  // closed without ever being opened, and texts asked for without a buffer
    TestEffect effect(host.create());
    EXPECT_EQ(effect.dispatch(effGetParamName, 0, 0, nullptr), 0);
    EXPECT_EQ(effect.dispatch(effGetEffectName, 0, 0, nullptr), 0);
    EXPECT_EQ(effect.close(), 1);
  }
}

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: qorm_plugin_test PLUGIN [EXPORT] [gtest options]\n");
    return 2;
  }
  pluginPath = argv[1];
  if (argc > 2) exportName = argv[2];
  return RUN_ALL_TESTS();
}
