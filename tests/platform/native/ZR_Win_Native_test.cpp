#include "native/ZR_Win_Native.h"

#include <gtest/gtest.h>

#include "../../gfx/ZR_Win_testing.h"

using zr_testing::SolidElement;

TEST(ZR_Win_Native, StartsTransparentAndShowsWhatItComposes) {
  ZR_Win_Native window(100, 80);
  EXPECT_EQ(window.surface().width, 100);
  EXPECT_EQ(window.pixel(99, 79), ZR_Pix_A32{});
  SolidElement widget({10, 10, 30, 30}, {255, 0, 0, 255});
  ZR_Win::attach(&window, &widget);
  window.invalidate({0, 0, 20, 20});  // only this part is recomposed
  EXPECT_EQ(window.pixel(15, 15), (ZR_Pix_A32{254, 0, 0, 254}));
  EXPECT_EQ(window.pixel(25, 25), ZR_Pix_A32{});
  window.invalidateAll();
  EXPECT_EQ(window.pixel(25, 25), (ZR_Pix_A32{254, 0, 0, 254}));
}

TEST(ZR_Win_Native, LeavesPixelsNoWidgetCoversTransparentInEveryTile) {
  ZR_Win_Native window(200, 100);
  SolidElement left({0, 0, 100, 100}, {0, 255, 0, 255});
  ZR_Win::attach(&window, &left);
  window.invalidateAll();
  // The tile at x 64..127 holds both a covered and an uncovered part; the next tile none.
  EXPECT_EQ(window.pixel(99, 50).a, 254);
  EXPECT_EQ(window.pixel(100, 50), ZR_Pix_A32{});
  EXPECT_EQ(window.pixel(150, 50), ZR_Pix_A32{});
  // Painting again gives the same pixels: nothing depends on what an earlier paint left.
  window.invalidateAll();
  EXPECT_EQ(window.pixel(99, 50), (ZR_Pix_A32{0, 254, 0, 254}));
}

TEST(ZR_Win_Native, HoldsTheMouseCaptureFromPressToReleaseOrLeave) {
  ZR_Win_Native window(100, 100);
  SolidElement knob({20, 20, 40, 40}, {255, 255, 255, 255}, true);
  ZR_Win::attach(&window, &knob);
  window.mouseMove(30, 30);
  window.mouseDown(30, 30);
  EXPECT_TRUE(window.mouseCaptured());
  window.mouseMove(35, 20);
  window.mouseUp();
  EXPECT_FALSE(window.mouseCaptured());
  window.mouseMove(90, 90);
  window.mouseDown(90, 90);  // over no widget: the capture is taken all the same, nobody is pressed
  EXPECT_TRUE(window.mouseCaptured());
  window.mouseLeave();
  EXPECT_FALSE(window.mouseCaptured());
  const std::vector<std::string> events = {"press 10,10", "drag 15,0", "release"};
  EXPECT_EQ(knob.events, events);
}
