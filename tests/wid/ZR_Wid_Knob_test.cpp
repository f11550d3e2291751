#include "wid/ZR_Wid_Knob.h"

#include <gtest/gtest.h>

#include "ZR_wid_test_support.h"
#include "classes/ZR_exec.h"
#include "wid/ZR_Wid_Pic.h"

namespace {
int calls = 0;
void countCall(void*) { ++calls; }

// The editor's knob: strip BIG (265 frames), 20 to 10000.
class KnobTest : public ::testing::Test {
 protected:
  void SetUp() override {
    calls = 0;
    ASSERT_EQ(ZR_exec("ZR_Wid_Pic -w 200 -h 140 -res bgnd -win %o", &background_, &window_), ZR_OK);
    ASSERT_EQ(ZR_exec("ZR_Wid_Knob -w 64 -h 64 -l 66 -t 60 -res big -mn 20 -mx 10000 -com %o -win %o", &knob_,
                      countCall, &window_),
              ZR_OK);
    ASSERT_EQ(knob_->strip.vid.frameCount, 265);
  }
  void TearDown() override {
    ZR_exec("%o -delete", knob_);
    ZR_exec("%o -delete", background_);
  }
  void setFrame(int32_t frame) {
    knob_->frame = frame;
    knob_->update();
  }
  // Grabs the knob at its centre, which is opaque on a round knob.
  void grab() {
    window_.onMouseMove(66 + 32, 60 + 32);
    ASSERT_EQ(window_.hovered, knob_);
    window_.onButtonDown(66 + 32, 60 + 32);
    ASSERT_EQ(window_.captured, knob_);
  }
  void dragBy(int32_t dx, int32_t dy) { window_.onMouseMove(66 + 32 + dx, 60 + 32 + dy); }

  TestWindow window_{200, 140};
  ZR_Wid_Pic* background_ = nullptr;
  ZR_Wid_Knob* knob_ = nullptr;
};
}  // namespace

TEST_F(KnobTest, ValPicksTheFrameOfTheValue) {
  struct Case {
    float value;
    int32_t frame;
  };
  // 264 x (v - 20) / 9980, truncated; values outside the range leave the strip.
  const Case cases[] = {{20.0f, 0},  {10000.0f, 264}, {5010.0f, 132},  {1500.0f, 39},  {57.8f, 0},
                        {57.81f, 1}, {0.0f, 0},       {-2000.0f, -53}, {20000.0f, 528}};
  for (const Case& c : cases) {
    ASSERT_EQ(ZR_exec("ZR_Wid_Knob %o -val %f", knob_, static_cast<double>(c.value)), ZR_OK);
    EXPECT_EQ(knob_->frame, c.frame) << c.value;
  }
}

TEST_F(KnobTest, ReportsTheValueOfItsFrame) {
  setFrame(100);
  float value = 0.0f;
  ASSERT_EQ(ZR_exec("ZR_Wid_Knob %o -val", knob_, &value), ZR_OK);
  EXPECT_FLOAT_EQ(value, 20.0f + 100.0f / 264.0f * 9980.0f);
  EXPECT_NEAR(value, 3800.3f, 0.01f);
  float mn = 0.0f, mx = 0.0f;
  ASSERT_EQ(ZR_exec("ZR_Wid_Knob %o -mn -mx", knob_, &mn, &mx), ZR_OK);
  EXPECT_EQ(mn, 20.0f);
  EXPECT_EQ(mx, 10000.0f);
}

// Each set inside the strip repaints and calls com once; outside it does neither, and the knob
// shows the nearest end of its strip.
TEST_F(KnobTest, UpdateActsOnlyForFramesOfTheStrip) {
  window_.invalidated.clear();
  ASSERT_EQ(ZR_exec("ZR_Wid_Knob %o -val 5010", knob_), ZR_OK);
  EXPECT_EQ(calls, 1);
  ASSERT_EQ(window_.invalidated.size(), 1u);
  EXPECT_EQ(window_.invalidated[0], (ZR_Rect{66, 60, 130, 124}));
  ASSERT_EQ(ZR_exec("ZR_Wid_Knob %o -val 20000", knob_), ZR_OK);
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(window_.invalidated.size(), 1u);

  window_.paintAll();
  TestWindow reference(200, 140);
  ZR_Wid_Pic* background = nullptr;
  ZR_Wid_Knob* last = nullptr;
  ASSERT_EQ(ZR_exec("ZR_Wid_Pic -w 200 -h 140 -res bgnd -win %o", &background, &reference), ZR_OK);
  ASSERT_EQ(ZR_exec("ZR_Wid_Knob -w 64 -h 64 -l 66 -t 60 -res big -mn 20 -mx 10000 -win %o -val 10000", &last,
                    &reference),
            ZR_OK);
  reference.paintAll();
  for (int32_t y = 60; y < 124; ++y)
    for (int32_t x = 66; x < 130; ++x) ASSERT_EQ(window_.pixel(x, y), reference.pixel(x, y)) << x << "," << y;
  ZR_exec("%o -delete", last);
  ZR_exec("%o -delete", background);
}

TEST_F(KnobTest, DragTurnsOneFramePerPixelRightOrUp) {
  struct Step {
    int32_t dx, dy, frame;
  };
  const Step steps[] = {{5, 0, 105}, {5, 5, 100}, {5, -5, 110}, {-10, 0, 90}, {0, 20, 80}};
  for (const Step& step : steps) {
    setFrame(100);
    grab();
    dragBy(step.dx, step.dy);
    EXPECT_EQ(knob_->frame, step.frame) << step.dx << "," << step.dy;
    window_.onButtonUp();
  }
}

// Past an end the drag re-anchors, so turning back moves at once.
TEST_F(KnobTest, DragPastAnEndReanchors) {
  grab();
  dragBy(300, 0);
  EXPECT_EQ(knob_->frame, 264);
  dragBy(290, 0);
  EXPECT_EQ(knob_->frame, 254);
  dragBy(290, 300);
  EXPECT_EQ(knob_->frame, 0);
  dragBy(293, 300);
  EXPECT_EQ(knob_->frame, 3);
  window_.onButtonUp();
  EXPECT_EQ(window_.captured, nullptr);
}

// With a variable the knob proposes the real value of the new frame; the variable sets it back.
TEST_F(KnobTest, DragProposesTheValueToTheVariable) {
  TestVariable frequency;
  int data = 0;
  ASSERT_EQ(ZR_exec("ZR_Wid_Knob %o -var %o -dat %o", knob_, &frequency, &data), ZR_OK);
  setFrame(100);
  calls = 0;
  grab();
  dragBy(10, 0);
  ASSERT_EQ(frequency.proposals.size(), 1u);
  EXPECT_EQ(frequency.proposals[0].kind, ZR_KIND_REAL);
  EXPECT_EQ(frequency.proposals[0].length, -1);
  EXPECT_FLOAT_EQ(frequency.proposals[0].value.f, 20.0f + 110.0f / 264.0f * 9980.0f);
  EXPECT_EQ(frequency.dataSeen[0], &data);
  // Without the variable's answer nothing was repainted or called back.
  EXPECT_EQ(calls, 0);
  ASSERT_EQ(ZR_exec("ZR_Wid_Knob %o -val %f", knob_, static_cast<double>(frequency.value.f)), ZR_OK);
  EXPECT_EQ(calls, 1);
  window_.onButtonUp();
}

// The editor's order: "res", then "mn", then "mx" keeps the value each time.
TEST(ZR_Wid_Knob, RangeChangesKeepTheValueReadBefore) {
  ZR_Wid_Knob* knob = nullptr;
  ASSERT_EQ(ZR_exec("ZR_Wid_Knob -w 64 -h 64 -res big -mn 20", &knob), ZR_OK);
  EXPECT_EQ(knob->frame, -66);
  ASSERT_EQ(ZR_exec("ZR_Wid_Knob %o -mx 10000", knob), ZR_OK);
  EXPECT_EQ(knob->frame, 0);
  float value = -1.0f;
  ASSERT_EQ(ZR_exec("ZR_Wid_Knob %o -val", knob, &value), ZR_OK);
  EXPECT_EQ(value, 20.0f);
  ZR_exec("%o -delete", knob);
}

TEST(ZR_Wid_Knob, IgnoresValuesBeforeItsResourceAndCallsNothingUnattached) {
  calls = 0;
  ZR_Wid_Knob* knob = nullptr;
  ASSERT_EQ(ZR_exec("ZR_Wid_Knob -w 64 -h 64 -com %o -val 50", &knob, countCall), ZR_OK);
  EXPECT_EQ(knob->frame, 0);
  ASSERT_EQ(ZR_exec("ZR_Wid_Knob %o -res big -val 50", knob), ZR_OK);
  EXPECT_EQ(knob->frame, 132);
  EXPECT_EQ(calls, 0);
  ZR_exec("%o -delete", knob);
}

// The transparent corners of the round knob fall through to the background.
TEST_F(KnobTest, TransparentCornersNeitherHoverNorCapture) {
  window_.onMouseMove(66 + 1, 60 + 1);
  EXPECT_EQ(window_.hovered, nullptr);
  EXPECT_EQ(window_.hitTest(66 + 1, 60 + 1), background_);
  window_.onButtonDown(66 + 1, 60 + 1);
  EXPECT_EQ(window_.captured, nullptr);
  window_.onButtonUp();
}

// Hovered, the knob is drawn brighter; leaving it for the background repaints it plain.
TEST_F(KnobTest, HoverBrightensAndLeavingRepaintsPlain) {
  auto brightness = [&] {
    long sum = 0;
    for (int32_t y = 60; y < 124; ++y)
      for (int32_t x = 66; x < 130; ++x)
        sum += window_.pixel(x, y).r + window_.pixel(x, y).g + window_.pixel(x, y).b;
    return sum;
  };
  window_.paintAll();
  const long plain = brightness();
  window_.onMouseMove(66 + 32, 60 + 32);
  EXPECT_GT(brightness(), plain);
  window_.onMouseMove(5, 5);
  EXPECT_EQ(window_.hovered, nullptr);
  EXPECT_EQ(brightness(), plain);
}
