#include "native/ZR_Wid_Text_Native.h"

#include <gtest/gtest.h>

#include "../../wid/ZR_wid_test_support.h"
#include "classes/ZR_exec.h"
#include "native/ZR_Font_Native.h"
#include "wid/ZR_Wid_Text.h"

// Tahoma is a Windows face; without it fontconfig's sans substitute draws the editor's captions.
TEST(ZR_Wid_Text_Native, AFaceThatIsNotInstalledFallsBackToAnInstalledSansFace) {
  const std::unique_ptr<ZR_Font_Native> tahoma = ZR_Font_Native::open("Tahoma", 12, false);
  ASSERT_NE(tahoma, nullptr);
  EXPECT_FALSE(tahoma->family().empty());
  EXPECT_FALSE(tahoma->bold());
  const std::unique_ptr<ZR_Font_Native> bold = ZR_Font_Native::open("Tahoma", 12, true);
  ASSERT_NE(bold, nullptr);
  EXPECT_TRUE(bold->bold());
  EXPECT_EQ(ZR_Font_Native::open("Tahoma", 0, false), nullptr);
}

TEST(ZR_Wid_Text_Native, MakeFontNeedsAFaceAndASizeAndTheDefaultFontServesUntilThen) {
  TestWindow window(100, 20);
  ZR_Wid_Text* text = nullptr;
  ASSERT_EQ(ZR_exec("ZR_Wid_Text -w 100 -h 20 -size 12 -win %o", &text, &window), ZR_OK);
  EXPECT_EQ(text->font(), nullptr);
  text->render();
  ASSERT_NE(text->font(), nullptr);
  const ZR_Font_Native* fallback = text->font();
  ASSERT_EQ(ZR_exec("ZR_Wid_Text %o -font %s", text, "Tahoma"), ZR_OK);
  EXPECT_NE(text->font(), fallback);
  ZR_exec("%o -delete", text);
}

// The coverage map is clipped to its size, however long the text.
TEST(ZR_Wid_Text_Native, DrawLineStaysInsideItsMap) {
  const std::unique_ptr<ZR_Font_Native> font = ZR_Font_Native::open(nullptr, 40, true);
  ASSERT_NE(font, nullptr);
  std::vector<uint8_t> coverage(10 * 6 + 1, 0);
  coverage.back() = 77;
  font->drawLine("WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW", coverage.data(), 10, 6, 0);
  EXPECT_EQ(coverage.back(), 77);
}
