#include "wid/ZR_Wid_Pic.h"

#include <gtest/gtest.h>

#include <string>

#include "ZR_wid_test_support.h"
#include "classes/ZR_exec.h"

TEST(ZR_Wid_Pic, ResSizesAnUnsizedWidgetFromThePicture) {
  ZR_Wid_Pic* logo = nullptr;
  ASSERT_EQ(ZR_exec("ZR_Wid_Pic -l 20 -t 8 -res logotype", &logo), ZR_OK);
  EXPECT_EQ(logo->rect(), (ZR_Rect{20, 8, 180, 38}));
  EXPECT_EQ(logo->picture.width, 160);
  EXPECT_EQ(logo->picture.height, 30);
  // The name is kept: the word in the command is gone once the command has run.
  const char* name = nullptr;
  ASSERT_EQ(ZR_exec("ZR_Wid_Pic %o -res", logo, &name), ZR_OK);
  EXPECT_STREQ(name, "logotype");
  ZR_exec("%o -delete", logo);
}

// Given a size first, the widget keeps it and shows the picture's top-left corner.
TEST(ZR_Wid_Pic, ResKeepsAGivenSizeAndShowsTheTopLeftCorner) {
  TestWindow window(64, 64);
  ZR_Wid_Pic* corner = nullptr;
  ASSERT_EQ(ZR_exec("ZR_Wid_Pic -w 10 -h 10 -res logotype -win %o", &corner, &window), ZR_OK);
  EXPECT_EQ(corner->width, 10);
  EXPECT_EQ(corner->height, 10);
  window.paintAll();
  for (int32_t y = 0; y < 64; ++y) {
    for (int32_t x = 0; x < 64; ++x) {
      ZR_Pix_A32 expected;
      if (x < 10 && y < 10) ZR_blend(expected, corner->picture.at(x, y));
      ASSERT_EQ(window.pixel(x, y), expected) << x << "," << y;
    }
  }
  ZR_exec("%o -delete", corner);
}

// A 300-pixel-wide widget on the 63-pixel tile shows it 4 times and 48 pixels of a fifth copy.
TEST(ZR_Wid_Pic, AWidePictureWidgetRepeatsItsPicture) {
  TestWindow window(300, 70);
  ZR_Wid_Pic* background = nullptr;
  ASSERT_EQ(ZR_exec("ZR_Wid_Pic -w 300 -h 70 -res bgnd -win %o", &background, &window), ZR_OK);
  ASSERT_EQ(background->picture.width, 63);
  window.paintAll();
  for (int32_t x = 0; x < 300; ++x) {
    for (int32_t y : {0, 30, 62, 63, 69}) {
      ZR_Pix_A32 expected;
      ZR_blend(expected, background->picture.at(x % 63, y % 63));
      ASSERT_EQ(window.pixel(x, y), expected) << x << "," << y;
    }
  }
  ZR_exec("%o -delete", background);
}

TEST(ZR_Wid_Pic, BadResourcesAreReportedAndChangeNothing) {
  BoxCapture boxes;
  ZR_Wid_Pic* widget = nullptr;
  ASSERT_EQ(ZR_exec("ZR_Wid_Pic -l 5 -res alt -res nosuchpicture", &widget), ZR_OK);
  ASSERT_EQ(BoxCapture::boxes().size(), 1u);
  EXPECT_EQ(BoxCapture::boxes()[0].rfind("ERROR: Error: nosuchpicture\n", 0), 0u) << BoxCapture::boxes()[0];
  EXPECT_EQ(widget->picture.width, 10);
  EXPECT_EQ(widget->rect(), (ZR_Rect{5, 0, 15, 10}));
  const ZR_Pix_A32* before = widget->picture.pixels;

  // A strip where a still picture is expected has the wrong magic.
  ASSERT_EQ(ZR_exec("ZR_Wid_Pic %o -res but", widget), ZR_OK);
  ASSERT_EQ(BoxCapture::boxes().size(), 2u);
  EXPECT_NE(BoxCapture::boxes()[1].find("Error: Invalid ZRIF header\n"), std::string::npos)
      << BoxCapture::boxes()[1];
  EXPECT_EQ(widget->picture.pixels, before);
  EXPECT_EQ(widget->rect(), (ZR_Rect{5, 0, 15, 10}));
  ZR_exec("%o -delete", widget);

  // A new widget given only bad resources stays empty and unsized, and draws nothing.
  TestWindow window(64, 64);
  ASSERT_EQ(ZR_exec("ZR_Wid_Pic -res big -win %o", &widget, &window), ZR_OK);
  EXPECT_EQ(widget->rect(), (ZR_Rect{0, 0, 0, 0}));
  EXPECT_FALSE(widget->picture.hasPixels());
  window.paintAll();
  EXPECT_EQ(window.pixel(0, 0).a, 0);
  ZR_exec("%o -delete", widget);
}
