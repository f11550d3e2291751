#include "app/ZR_Application.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "ZR_app_test_support.h"
#include "engine/ZR_Buffer.h"
#include "engine/ZR_Effect.h"
#include "engine/ZR_Soundpipe.h"
#include "gfx/ZR_Win.h"

namespace {

class BuiltApplication : public testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(app.build(), ZR_OK); }
  void TearDown() override {
    testing::internal::CaptureStdout();
    app.destroy();
    testing::internal::GetCapturedStdout();
  }

  ZR_Buffer* buffer(ZR_Application::GraphSlot slot) { return static_cast<ZR_Buffer*>(app.graph[slot]); }
  ZR_Object* node(ZR_Application::GraphSlot slot) { return app.graph[slot]; }

  // Runs frames through processBlock with the same input on every call.
  void process(std::vector<float>& input, std::vector<float>& left, std::vector<float>& right) {
    float* in[] = {input.data()};
    float* out[] = {left.data(), right.data()};
    app.processBlock(in, out, static_cast<int32_t>(input.size()));
  }

  ZR_Application app;
};

TEST_F(BuiltApplication, BuildsTheGraphInItsSlots) {
  EXPECT_EQ(app.width, 200);
  EXPECT_EQ(app.height, 236);
  EXPECT_EQ(app.inputs, 1);
  EXPECT_EQ(app.blockSize, 512);
  for (int32_t slot = 0; slot < ZR_Application::kGraphSlots; ++slot)
    EXPECT_EQ(app.graph[slot] == nullptr, slot == 4 || slot == 5) << slot;
  EXPECT_STREQ(buffer(ZR_Application::kInputBuffer)->tag, "buf_i");
  EXPECT_STREQ(buffer(ZR_Application::kOutputBuffer)->tag, "buf_o");
  EXPECT_STREQ(buffer(ZR_Application::kFilterBuffer)->tag, "lpf_buffer");
  for (ZR_Application::GraphSlot slot :
       {ZR_Application::kInputBuffer, ZR_Application::kOutputBuffer, ZR_Application::kFilterBuffer})
    EXPECT_EQ(buffer(slot)->count, 512) << slot;
  EXPECT_NE(ZR_Soundpipe::current, app.soundpipe());  // graph building has ended
}

TEST_F(BuiltApplication, ChainRunsInputCopyLowpassBandpassOutputCopy) {
  std::vector<ZR_Object*> chain;
  app.soundpipe()->effects.forEach<ZR_Effect>([&](ZR_Effect* effect) { chain.push_back(effect); });
  const std::vector<ZR_Object*> expected = {node(ZR_Application::kInputCopy), node(ZR_Application::kLowpass),
                                            node(ZR_Application::kBandpass),
                                            node(ZR_Application::kOutputCopy)};
  EXPECT_EQ(chain, expected);
  for (ZR_Object* effect : chain) {
    const char* mode = nullptr;
    ZR_exec("%o -mode", effect, &mode);
    EXPECT_STREQ(mode, effect == node(ZR_Application::kBandpass) ? "sub" : "set");
  }
  EXPECT_FLOAT_EQ(queryReal(node(ZR_Application::kBandpass), "q"), 0.618f);
}

TEST_F(BuiltApplication, StartsWithTheFilterOnAt1500) {
  EXPECT_EQ(app.state.kind, ZR_KIND_ONOFF);
  EXPECT_EQ(app.state.word(), 1);
  EXPECT_EQ(app.frequency.kind, ZR_KIND_REAL);
  EXPECT_EQ(app.frequency.real(), 1500.0f);
  EXPECT_EQ(queryInteger(node(ZR_Application::kLowpass), "on"), 1);
  EXPECT_EQ(queryInteger(node(ZR_Application::kBandpass), "on"), 1);
  EXPECT_NEAR(queryReal(node(ZR_Application::kBandpass), "f"), 239.47897f, 1e-4f);
  EXPECT_EQ(queryInteger(node(ZR_Application::kLowpass), "f"), 239);
}

TEST_F(BuiltApplication, HostBlocksAreCutIntoEngineBlocksOfAtMost512) {
  std::vector<float> input(1000, 0.25f), left(1000), right(1000);
  process(input, left, right);
  EXPECT_EQ(queryInteger(app.soundpipe(), "bl"), 488);
}

TEST_F(BuiltApplication, InputIsClippedAndNotANumberBecomesMinusOne) {
  std::vector<float> input = {1.5f, -3.0f, std::numeric_limits<float>::quiet_NaN(),
                              0.5f, -1.0f, std::numeric_limits<float>::infinity()};
  std::vector<float> left(input.size()), right(input.size());
  process(input, left, right);
  const int32_t* engineIn = buffer(ZR_Application::kInputBuffer)->main;
  const int32_t expected[] = {1073741824, -1073741824, -1073741824, 536870912, -1073741824, 1073741824};
  for (size_t i = 0; i < input.size(); ++i) EXPECT_EQ(engineIn[i], expected[i]) << i;
}

TEST_F(BuiltApplication, WithTheFilterOffTheOutputIsTheQuantisedInputOnBothChannels) {
  app.state.setNormalised(0.0f);
  app.state.changed(&app);
  std::vector<float> input(700), left(700), right(700);
  for (size_t i = 0; i < input.size(); ++i) input[i] = 0.9f * std::sin(0.05f * static_cast<float>(i)) + 1e-9f;
  process(input, left, right);  // the switch-off block fades; the next ones are dry
  process(input, left, right);
  for (size_t i = 0; i < input.size(); ++i) {
    const float quantised =
        static_cast<float>(static_cast<int32_t>(input[i] * 1073741824.0f)) * 9.313225746154785e-10f;
    ASSERT_EQ(left[i], quantised) << i;
    ASSERT_EQ(right[i], quantised) << i;
  }
}

TEST_F(BuiltApplication, WithTheFilterOnHighFrequenciesAreCutAndBothChannelsAgree) {
  app.sampleRate = 44100;
  app.setClock();
  const size_t n = 4410;
  std::vector<float> low(n), high(n), left(n), right(n);
  for (size_t i = 0; i < n; ++i) {
    low[i] = 0.5f * std::sin(2.0f * 3.14159265f * 100.0f * static_cast<float>(i) / 44100.0f);
    high[i] = 0.5f * std::sin(2.0f * 3.14159265f * 8000.0f * static_cast<float>(i) / 44100.0f);
  }
  auto rms = [&](std::vector<float>& input) {
    process(input, left, right);
    process(input, left, right);  // settled
    double sum = 0;
    for (size_t i = 0; i < n; ++i) {
      EXPECT_EQ(left[i], right[i]);
      sum += left[i] * left[i];
    }
    return std::sqrt(sum / n);
  };
  EXPECT_NEAR(rms(low), 0.5 / std::sqrt(2.0), 0.02);  // 100 Hz passes a 239 Hz cutoff
  EXPECT_LT(rms(high), 0.02);                         // 8 kHz is more than 25 dB down
}

TEST_F(BuiltApplication, AnEmptyHostBlockTouchesNothing) {
  const int32_t before = queryInteger(app.soundpipe(), "bl");
  float sentinel = 7.0f;
  float* in[] = {nullptr};
  float* out[] = {&sentinel, &sentinel};
  app.processBlock(in, out, 0);
  EXPECT_EQ(sentinel, 7.0f);
  EXPECT_EQ(queryInteger(app.soundpipe(), "bl"), before);
}

TEST_F(BuiltApplication, SetClockGivesEveryNodeTheRate) {
  app.sampleRate = 44100;
  app.setClock();
  int nodes = 0;
  app.soundpipe()->effects.forEach<ZR_Effect>([&](ZR_Effect* effect) {
    EXPECT_EQ(queryInteger(effect, "clock"), 44100);
    ++nodes;
  });
  EXPECT_EQ(nodes, 4);
}

TEST_F(BuiltApplication, AttachBindsTheDialogToTheWindowAndDetachKeepsIt) {
  ZR_Win window(app.width, app.height);
  EXPECT_EQ(app.attach(&window), ZR_OK);
  EXPECT_EQ(app.window, &window);
  EXPECT_EQ(app.fileDialog.owner, &window);
  EXPECT_EQ(app.detach(), ZR_OK);
  EXPECT_EQ(app.window, &window);
}

TEST(Application, DestroyWritesNullWidgetForEveryEmptyWidgetSlot) {
  ZR_Application app;
  app.build();
  int empty = 0;
  for (ZR_Object* widget : app.widgets) empty += widget == nullptr;
  testing::internal::CaptureStdout();
  EXPECT_EQ(app.destroy(), ZR_OK);
  const std::string out = testing::internal::GetCapturedStdout();
  int lines = 0;
  for (size_t at = 0; (at = out.find("NULL WIDGET\n", at)) != std::string::npos; at += 1) ++lines;
  EXPECT_EQ(lines, empty);
  EXPECT_FALSE(ZR_Object::exists(app.graph[ZR_Application::kSoundpipe]));
  EXPECT_FALSE(ZR_Object::exists(app.graph[ZR_Application::kLowpass]));
}

TEST(Application, ParamsAreReachableByIndexOnly) {
  ZR_Application app;
  EXPECT_EQ(app.param(0), &app.state);
  EXPECT_EQ(app.param(1), &app.frequency);
  EXPECT_EQ(app.param(2), &app.saveAction);
  EXPECT_EQ(app.param(3), &app.loadAction);
  EXPECT_EQ(app.param(4), nullptr);
  EXPECT_EQ(app.param(-1), nullptr);
  EXPECT_EQ(app.state.kind, ZR_KIND_NONE);  // until build gives it its value
}

}  // namespace
