#include "wid/ZR_Wid_Text.h"

#include <gtest/gtest.h>

#include <cstring>

#include "ZR_wid_test_support.h"
#include "classes/ZR_exec.h"

namespace {
// The extent of the opaque pixels of a picture; every pixel must be either opaque or all zero.
struct Ink {
  int32_t left = INT32_MAX, top = INT32_MAX, right = -1, bottom = -1;
  int count = 0;
  bool clean = true;   // every pixel is opaque, or transparent with all bytes 0
  bool exact = false;  // some pixel has exactly the text colour
};

Ink inkOf(const ZR_Pic<ZR_Pix_A32>& picture, uint32_t color) {
  Ink ink;
  const ZR_Pix_A32 exact{static_cast<uint8_t>(color >> 16), static_cast<uint8_t>(color >> 8),
                         static_cast<uint8_t>(color), 255};
  for (int32_t y = 0; y < picture.height; ++y) {
    for (int32_t x = 0; x < picture.width; ++x) {
      const ZR_Pix_A32 p = picture.at(x, y);
      if (p.a == 0) {
        ink.clean = ink.clean && p == ZR_Pix_A32{};
        continue;
      }
      ink.clean = ink.clean && p.a == 255;
      ink.exact = ink.exact || p == exact;
      ++ink.count;
      ink.left = std::min(ink.left, x);
      ink.right = std::max(ink.right, x);
      ink.top = std::min(ink.top, y);
      ink.bottom = std::max(ink.bottom, y);
    }
  }
  return ink;
}

class TextTest : public ::testing::Test {
 protected:
  void TearDown() override {
    if (text_) ZR_exec("%o -delete", text_);
  }
  TestWindow window_{200, 64};
  ZR_Wid_Text* text_ = nullptr;
};
}  // namespace

// The editor's label: no font set, left-aligned, vertically centred, on a transparent background.
TEST_F(TextTest, DrawsWithTheDefaultFontLeftAlignedAndCentredOnTransparency) {
  ASSERT_EQ(ZR_exec("ZR_Wid_Text -l 62 -t 10 -w 80 -h 16 -color 0x00A57BBD -horz -1 -text Filter -win %o",
                    &text_, &window_),
            ZR_OK);
  EXPECT_STREQ(text_->text(), "Filter");
  window_.paintAll();
  ASSERT_EQ(text_->picture.width, 80);
  ASSERT_EQ(text_->picture.height, 16);
  const Ink ink = inkOf(text_->picture, 0x00A57BBD);
  EXPECT_TRUE(ink.clean);
  EXPECT_TRUE(ink.exact);
  EXPECT_GT(ink.count, 20);
  EXPECT_LE(ink.left, 3);
  EXPECT_LT(ink.right, 60);
  EXPECT_NEAR((ink.top + ink.bottom) / 2.0, 7.5, 3.0);
  // Where the text leaves the picture transparent, the window shows nothing of it.
  EXPECT_EQ(window_.pixel(62 + 79, 10), ZR_Pix_A32{});
}

TEST_F(TextTest, HorzAlignsLeftCentreAndRight) {
  ASSERT_EQ(ZR_exec("ZR_Wid_Text -w 120 -h 18 -text Cutoff -win %o", &text_, &window_), ZR_OK);
  struct Case {
    int32_t horz;
    int low, high;  // where the middle of the ink must lie
  };
  const Case cases[] = {{-5, 0, 40}, {0, 50, 70}, {1, 80, 120}};
  for (const Case& c : cases) {
    ASSERT_EQ(ZR_exec("ZR_Wid_Text %o -horz %i", text_, c.horz), ZR_OK);
    text_->render();
    const Ink ink = inkOf(text_->picture, 0x00FFFFFF);
    const double middle = (ink.left + ink.right) / 2.0;
    EXPECT_GE(middle, c.low) << c.horz;
    EXPECT_LE(middle, c.high) << c.horz;
  }
}

TEST_F(TextTest, TextInColourZeroNeverShows) {
  ASSERT_EQ(ZR_exec("ZR_Wid_Text -w 120 -h 18 -color 0 -font %s -size 12 -text Invisible -win %o", &text_,
                    "Tahoma", &window_),
            ZR_OK);
  window_.paintAll();
  EXPECT_EQ(inkOf(text_->picture, 0).count, 0);
  for (int32_t y = 0; y < 18; ++y)
    for (int32_t x = 0; x < 120; ++x) ASSERT_EQ(window_.pixel(x, y), ZR_Pix_A32{});
}

// The next draw renders again whenever the picture no longer shows the text as set: other
// characters, also written into the same buffer, another face, size or weight. Setting the same
// text again leaves the picture as it is.
TEST_F(TextTest, DrawingRendersAgainWhenTheTextOrItsFontChanges) {
  char readout[16] = "WWWW";
  ASSERT_EQ(ZR_exec("ZR_Wid_Text -w 120 -h 30 -text %s -win %o", &text_, readout, &window_), ZR_OK);
  window_.paintAll();
  int shown = inkOf(text_->picture, 0x00FFFFFF).count;
  ASSERT_GT(shown, 0);
  ZR_exec("ZR_Wid_Text %o -text %s", text_, readout);
  EXPECT_FALSE(text_->stale()) << "the same characters";

  const struct {
    const char* command;
    const char* text;  // written into the reused buffer first
    bool moreInk;
  } changes[] = {
      {"ZR_Wid_Text %o -text %s", "iiii", false},
      {"ZR_Wid_Text %o -font Tahoma -size 20", nullptr, true},
      {"ZR_Wid_Text %o -size 10", nullptr, false},
      {"ZR_Wid_Text %o -bold 1", nullptr, true},
  };
  for (const auto& change : changes) {
    if (change.text) std::strcpy(readout, change.text);
    ASSERT_EQ(ZR_exec(change.command, text_, readout), ZR_OK) << change.command;
    EXPECT_TRUE(text_->stale()) << change.command;
    window_.paintAll();
    const int now = inkOf(text_->picture, 0x00FFFFFF).count;
    if (change.moreInk) {
      EXPECT_GT(now, shown) << change.command;
    } else {
      EXPECT_LT(now, shown) << change.command;
    }
    EXPECT_FALSE(text_->stale()) << change.command;
    shown = now;
  }
}

TEST_F(TextTest, OptionsReportTheirSettings) {
  ASSERT_EQ(ZR_exec("ZR_Wid_Text", &text_), ZR_OK);
  EXPECT_STREQ(text_->text(), "test string");
  const char* shown = nullptr;
  int32_t color = 0, size = -1, horz = 5, bold = -1;
  const char* face = "unset";
  ASSERT_EQ(ZR_exec("ZR_Wid_Text %o -text -color -font -size -horz -bold", text_, &shown, &color, &face,
                    &size, &horz, &bold),
            ZR_OK);
  EXPECT_STREQ(shown, "test string");
  EXPECT_EQ(color, 0x00FFFFFF);
  EXPECT_EQ(face, nullptr);
  EXPECT_EQ(size, 0);
  EXPECT_EQ(horz, 0);
  EXPECT_EQ(bold, 0);
  ASSERT_EQ(ZR_exec("ZR_Wid_Text %o -font %s -size 12 -bold 7 -color %i -horz -1", text_, "Tahoma", 14729408),
            ZR_OK);
  ASSERT_EQ(
      ZR_exec("ZR_Wid_Text %o -font -size -bold -color -horz", text_, &face, &size, &bold, &color, &horz),
      ZR_OK);
  EXPECT_STREQ(face, "Tahoma");
  EXPECT_EQ(size, 12);
  EXPECT_EQ(bold, 1);
  EXPECT_EQ(color, 0x00E0C0C0);
  EXPECT_EQ(horz, -1);
  // "res" belongs to pictures, not to text.
  EXPECT_EQ(ZR_exec("ZR_Wid_Text %o -res bgnd", text_), ZR_ERROR_COMMAND_NOT_PARAM);
}

// A text widget renders only while attached; a bold font draws heavier strokes.
TEST_F(TextTest, RendersOnlyWhileAttachedAndBoldInksMore) {
  ASSERT_EQ(ZR_exec("ZR_Wid_Text -w 120 -h 20 -font %s -size 12 -text Frequency", &text_, "Tahoma"), ZR_OK);
  text_->render();
  EXPECT_FALSE(text_->picture.hasPixels());
  ASSERT_EQ(ZR_exec("ZR_Wid %o -win %o", text_, &window_), ZR_OK);
  text_->render();
  const int regular = inkOf(text_->picture, 0x00FFFFFF).count;
  ASSERT_EQ(ZR_exec("ZR_Wid_Text %o -bold 1", text_), ZR_OK);
  text_->render();
  EXPECT_GT(inkOf(text_->picture, 0x00FFFFFF).count, regular);
}
