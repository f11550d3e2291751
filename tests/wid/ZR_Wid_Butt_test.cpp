#include "wid/ZR_Wid_Butt.h"

#include <gtest/gtest.h>

#include "ZR_wid_test_support.h"
#include "classes/ZR_exec.h"
#include "wid/ZR_Wid_Pic.h"

namespace {
struct Calls {
  int count = 0;
  void* data = nullptr;
};
void countCall(void* data) {
  Calls* calls = static_cast<Calls*>(data);
  ++calls->count;
  calls->data = data;
}

// The opaque test as the strip format defines it, read straight from the block data.
uint8_t stripAlpha(const ZR_Vid& vid, int32_t f, int32_t x, int32_t y) {
  const int32_t columns = (vid.width - 1) / 4 + 1, rows = (vid.height - 1) / 4 + 1;
  const int32_t block = vid.index[f * columns * rows + (y / 4) * columns + x / 4];
  return vid.blocks[block * 16 + (y % 4) * 4 + x % 4].a;
}

class ButtonTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(ZR_exec("ZR_Wid_Pic -w 100 -h 64 -res bgnd -win %o", &background_, &window_), ZR_OK);
    ASSERT_EQ(ZR_exec("ZR_Wid_Butt -w 40 -h 24 -l 10 -t 20 -res but -com %o -dat %o -win %o", &button_,
                      countCall, &calls_, &window_),
              ZR_OK);
    ASSERT_EQ(button_->strip.vid.frameCount, 2);
  }
  void TearDown() override {
    ZR_exec("%o -delete", button_);
    ZR_exec("%o -delete", background_);
  }
  // A point of the button that takes the mouse in both frames.
  void findOpaque(int32_t* x, int32_t* y) const {
    for (*y = 0; *y < 24; ++*y) {
      for (*x = 0; *x < 40; ++*x) {
        if (stripAlpha(button_->strip.vid, 0, *x, *y) >= 128 &&
            stripAlpha(button_->strip.vid, 1, *x, *y) >= 128)
          return;
      }
    }
  }

  TestWindow window_{100, 64};
  ZR_Wid_Pic* background_ = nullptr;
  ZR_Wid_Butt* button_ = nullptr;
  Calls calls_;
};
}  // namespace

// Frame 0 is the dark (off) button and frame 1 the lit one.
TEST_F(ButtonTest, ShowsFrameZeroOffAndTheBrighterFrameOne) {
  auto brightness = [&](int32_t f) {
    long sum = 0;
    for (int32_t y = 0; y < 24; ++y)
      for (int32_t x = 0; x < 40; ++x) {
        const ZR_Pix_A32 p = button_->strip.vid.pixel(f, x, y);
        sum += (p.r + p.g + p.b) * p.a;
      }
    return sum;
  };
  EXPECT_GT(brightness(1), brightness(0));
  window_.paintAll();
  const ZR_Pix_A32 off = window_.pixel(30, 32);
  ASSERT_EQ(ZR_exec("ZR_Wid_Butt %o -val 1", button_), ZR_OK);
  EXPECT_NE(window_.pixel(30, 32), off);
}

TEST_F(ButtonTest, ValActsOnlyOnAChangeOfState) {
  float reported = -1.0f;
  ASSERT_EQ(ZR_exec("ZR_Wid_Butt %o -val 1 -val", button_, &reported), ZR_OK);
  EXPECT_EQ(reported, 1.0f);
  EXPECT_TRUE(button_->state);
  EXPECT_EQ(button_->shownFrame, 1);
  EXPECT_EQ(calls_.count, 1);
  EXPECT_EQ(calls_.data, &calls_);

  window_.invalidated.clear();
  ASSERT_EQ(ZR_exec("ZR_Wid_Butt %o -val 1", button_), ZR_OK);
  EXPECT_TRUE(window_.invalidated.empty());
  EXPECT_EQ(calls_.count, 1);

  ASSERT_EQ(ZR_exec("ZR_Wid_Butt %o -val 0.0 -val", button_, &reported), ZR_OK);
  EXPECT_EQ(reported, 0.0f);
  ASSERT_EQ(window_.invalidated.size(), 1u);
  EXPECT_EQ(window_.invalidated[0], (ZR_Rect{10, 20, 50, 44}));
  EXPECT_EQ(button_->shownFrame, 0);
  EXPECT_EQ(calls_.count, 2);

  // Other kinds only report.
  ASSERT_EQ(ZR_exec("ZR_Wid_Butt %o -val on -val", button_, &reported), ZR_OK);
  EXPECT_EQ(reported, 0.0f);
  EXPECT_EQ(calls_.count, 2);
}

TEST_F(ButtonTest, APressWithoutVariableToggles) {
  int32_t x = 0, y = 0;
  findOpaque(&x, &y);
  window_.onMouseMove(10 + x, 20 + y);
  ASSERT_EQ(window_.hovered, button_);
  window_.onButtonDown(10 + x, 20 + y);
  EXPECT_TRUE(button_->state);
  EXPECT_EQ(calls_.count, 1);
  window_.onButtonUp();
  EXPECT_TRUE(button_->state);
  window_.onButtonDown(10 + x, 20 + y);
  EXPECT_FALSE(button_->state);
  EXPECT_EQ(calls_.count, 2);
}

// The variable decides: the button stays as it is until the variable sets "val".
TEST_F(ButtonTest, APressProposesToTheVariableWhichSetsTheStateBack) {
  TestVariable state;
  state.length = 7;
  ASSERT_EQ(ZR_exec("ZR_Wid_Butt %o -var %o", button_, &state), ZR_OK);
  int32_t x = 0, y = 0;
  findOpaque(&x, &y);
  window_.onMouseMove(10 + x, 20 + y);
  window_.onButtonDown(10 + x, 20 + y);
  window_.onButtonUp();
  EXPECT_FALSE(button_->state);
  EXPECT_EQ(calls_.count, 0);
  ASSERT_EQ(state.proposals.size(), 1u);
  EXPECT_EQ(state.proposals[0].kind, ZR_KIND_INTEGER);
  EXPECT_EQ(state.proposals[0].value.i, 1);
  EXPECT_EQ(state.proposals[0].length, 7);
  EXPECT_EQ(state.dataSeen[0], &calls_);

  state.onChange = [](TestVariable& self) { self.kind = ZR_KIND_INTEGER; };
  ASSERT_EQ(ZR_exec("ZR_Wid_Butt %o -val %i", button_, state.value.i), ZR_OK);
  EXPECT_TRUE(button_->state);
  window_.onButtonDown(10 + x, 20 + y);
  ASSERT_EQ(state.proposals.size(), 2u);
  EXPECT_EQ(state.proposals[1].value.i, 0);
}

// Hit testing reads the alpha of the shown frame; a disabled button takes no press.
TEST_F(ButtonTest, TakesTheMouseOnlyOnOpaquePixelsWhileEnabled) {
  for (int32_t f = 0; f < 2; ++f) {
    ASSERT_EQ(ZR_exec("ZR_Wid_Butt %o -val %i", button_, f), ZR_OK);
    for (int32_t y = 0; y < 24; ++y) {
      for (int32_t x = 0; x < 40; ++x) {
        ASSERT_EQ(button_->hit(x, y), stripAlpha(button_->strip.vid, f, x, y) >= 128)
            << f << ":" << x << "," << y;
        ASSERT_EQ(window_.hitTest(10 + x, 20 + y) == button_, button_->hit(x, y));
      }
    }
  }
  ASSERT_EQ(ZR_exec("ZR_Wid_Butt %o -val 0 -enabled 0", button_), ZR_OK);
  int32_t x = 0, y = 0;
  findOpaque(&x, &y);
  window_.onMouseMove(10 + x, 20 + y);
  window_.onButtonDown(10 + x, 20 + y);
  EXPECT_EQ(window_.captured, nullptr);
  EXPECT_FALSE(button_->state);
}

// Of two overlapping buttons the later one is drawn on top and gets the press; moving onto the
// background clears the hover.
TEST_F(ButtonTest, TheLaterOfTwoOverlappingButtonsTakesThePress) {
  ZR_Wid_Butt* top = nullptr;
  Calls topCalls;
  ASSERT_EQ(ZR_exec("ZR_Wid_Butt -w 40 -h 24 -l 10 -t 20 -res but -com %o -dat %o -win %o", &top, countCall,
                    &topCalls, &window_),
            ZR_OK);
  int32_t x = 0, y = 0;
  findOpaque(&x, &y);
  window_.onMouseMove(10 + x, 20 + y);
  EXPECT_EQ(window_.hovered, top);
  window_.onButtonDown(10 + x, 20 + y);
  window_.onButtonUp();
  EXPECT_EQ(topCalls.count, 1);
  EXPECT_EQ(calls_.count, 0);
  window_.onMouseMove(80, 60);
  EXPECT_EQ(window_.hovered, nullptr);
  ZR_exec("%o -delete", top);
}
