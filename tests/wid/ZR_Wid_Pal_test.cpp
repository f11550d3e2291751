#include "wid/ZR_Wid_Pal.h"

#include <gtest/gtest.h>

#include "ZR_wid_test_support.h"
#include "classes/ZR_exec.h"

namespace {
constexpr uint32_t kBackground = 0xFF202020;
constexpr uint32_t kGreen = 0xFF00FF00;
constexpr uint32_t kRed = 0xFFFF0000;

ZR_Pix_A32 scaledAlpha(ZR_Pix_A32 color, const ZR_Pix_A32& index) {
  color.a = static_cast<uint8_t>(color.a * index.a / 255);
  return color;
}

// The leftmost meter of I41X89: blue byte 0, segments in the red byte from 0 (bottom) to 43.
class MeterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(
        ZR_exec("ZR_Wid_Pal -w 41 -h 89 -res i41x89 -ln %o -cg 0 -ch r -mn 0 -mx 43 -fg %i -rg %i -rl 0.8 "
                "-bg %i -win %o",
                &meter_, &line_, kGreen, kRed, kBackground, &window_),
        ZR_OK);
    ASSERT_EQ(meter_->indexPicture.width, 41);
    ASSERT_EQ(meter_->indexPicture.height, 89);
  }
  void TearDown() override { ZR_exec("%o -delete", meter_); }

  // Checks every visible pixel: the meter's own against the colour of its segment, the other
  // meters' against their index pixels.
  template <typename ColorOf>
  void expectSegments(ColorOf colorOf) {
    int mine = 0;
    for (int32_t y = 0; y < 89; ++y) {
      for (int32_t x = 0; x < 41; ++x) {
        const ZR_Pix_A32 index = meter_->indexPicture.at(x, y);
        if (index.a == 0) continue;
        const ZR_Pix_A32 shown = meter_->picture.at(x, y);
        if (index.b != 0 || index.g != 0) {
          ASSERT_EQ(shown, index) << x << "," << y;
          continue;
        }
        ++mine;
        ASSERT_EQ(shown, scaledAlpha(colorOf(index.r), index))
            << "segment " << int(index.r) << " at " << x << "," << y;
      }
    }
    EXPECT_GT(mine, 44);
  }

  TestWindow window_{41, 89};
  ZR_Wid_Pal_Line line_;
  ZR_Wid_Pal* meter_ = nullptr;
};
}  // namespace

TEST_F(MeterTest, LevelsRepaintTheSegmentsBetweenOldAndNew) {
  const ZR_Pix_A32 bg = ZR_Pix_A32::fromArgb(kBackground);
  const ZR_Pix_A32 green = ZR_Pix_A32::fromArgb(kGreen);
  const ZR_Pix_A32 red = ZR_Pix_A32::fromArgb(kRed);

  ASSERT_EQ(ZR_exec("ZR_Wid_Pal %o -level 0.5", meter_), ZR_OK);
  EXPECT_TRUE(line_.prepared);
  expectSegments([&](int s) { return s <= 21 ? green : bg; });

  // tf = 39.6: 22 to 38 lit, green below 35 (34 / 43 < 0.8), 39 at 60 % red over bg.
  window_.invalidated.clear();
  ASSERT_EQ(ZR_exec("ZR_Wid_Pal %o -level 0.9", meter_), ZR_OK);
  const float frac = static_cast<float>(44.0L * 0.9f) - 39.0f;
  ASSERT_NEAR(frac, 0.6f, 1e-4f);
  auto partialRed = [&] {
    ZR_Pix_A32 mixed;
    mixed.b = static_cast<uint8_t>((1.0f - frac) * bg.b + frac * red.b);
    mixed.g = static_cast<uint8_t>((1.0f - frac) * bg.g + frac * red.g);
    mixed.r = static_cast<uint8_t>((1.0f - frac) * bg.r + frac * red.r);
    mixed.a = static_cast<uint8_t>((1.0f - frac) * bg.a + frac * red.a);
    return mixed;
  }();
  EXPECT_NEAR(partialRed.r, 0.6 * 255 + 0.4 * 0x20, 1.0);
  expectSegments([&](int s) { return s <= 34 ? green : s <= 38 ? red : s == 39 ? partialRed : bg; });
  ASSERT_EQ(window_.invalidated.size(), 1u);

  ASSERT_EQ(ZR_exec("ZR_Wid_Pal %o -level 0.25", meter_), ZR_OK);
  expectSegments([&](int s) { return s <= 10 ? green : bg; });
  EXPECT_FLOAT_EQ(line_.level, 0.25f);
}

TEST_F(MeterTest, SegmentBoxesBoundTheirPixels) {
  ASSERT_EQ(ZR_exec("ZR_Wid_Pal %o -level 0", meter_), ZR_OK);
  // Segment 1 lies above segment 0 at the bottom, 43 at the top. (Transparent pixels whose bytes
  // are all 0 count to segment 0 of this meter too, which the painting leaves transparent.)
  for (int s = 1; s <= 43; ++s) {
    const ZR_Wid_Pal_Line::Box box = line_.boxes[s];
    ASSERT_LE(box.left, box.right) << s;
    ASSERT_LE(box.top, box.bottom) << s;
    if (s > 1) {
      EXPECT_LE(box.bottom, line_.boxes[s - 1].top) << s;
    }
  }
  EXPECT_GT(line_.boxes[44].left, line_.boxes[44].right);
}

TEST_F(MeterTest, OptionsReportTheLineSettings) {
  int32_t mn = -1, mx = -1, bg = 0, key = -1;
  float rl = 0.0f;
  const char* channel = nullptr;
  void* line = nullptr;
  ASSERT_EQ(
      ZR_exec("ZR_Wid_Pal %o -mn -mx -rl -bg -cg -ch -ln", meter_, &mn, &mx, &rl, &bg, &key, &channel, &line),
      ZR_OK);
  EXPECT_EQ(mn, 0);
  EXPECT_EQ(mx, 43);
  EXPECT_FLOAT_EQ(rl, 0.8f);
  EXPECT_EQ(static_cast<uint32_t>(bg), kBackground);
  EXPECT_EQ(key, 0);
  EXPECT_STREQ(channel, "r");
  EXPECT_EQ(line, &line_);
}

// Another letter keeps the channel but still clears the channel and alpha bytes of the key.
TEST(ZR_Wid_Pal, ChWithAnotherLetterKeepsTheChannelAndClearsTheKey) {
  ZR_Wid_Pal_Line line;
  ZR_Wid_Pal* meter = nullptr;
  ASSERT_EQ(ZR_exec("ZR_Wid_Pal -ln %o -ch g -cg 0xFF123456 -ch x", &meter, &line), ZR_OK);
  EXPECT_EQ(line.channel, 1);
  EXPECT_EQ(line.key, 0x00120056u);
  ZR_exec("%o -delete", meter);
}

// Without a line record the meter options change nothing and report no value.
TEST(ZR_Wid_Pal, WithoutALineRecordOptionsDoNothing) {
  ZR_Wid_Pal* meter = nullptr;
  ASSERT_EQ(ZR_exec("ZR_Wid_Pal -res i41x89 -mn 5 -level 0.5", &meter), ZR_OK);
  int32_t mn = 12345;
  ASSERT_EQ(ZR_exec("ZR_Wid_Pal %o -mn", meter, &mn), ZR_OK);
  EXPECT_EQ(mn, 12345);
  // The display picture is a copy of the index picture, not yet recoloured.
  ASSERT_TRUE(meter->picture.hasPixels());
  EXPECT_NE(meter->picture.pixels, meter->indexPicture.pixels);
  EXPECT_EQ(meter->picture.at(3, 80), meter->indexPicture.at(3, 80));
  // The widget's size is its own: "res" leaves it at 0.
  EXPECT_EQ(meter->width, 0);
  ZR_exec("%o -delete", meter);
}
