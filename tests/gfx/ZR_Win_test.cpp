#include "gfx/ZR_Win.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <thread>

#include "ZR_Win_testing.h"

using zr_testing::RecordingWindow;
using zr_testing::SolidElement;

namespace {
constexpr ZR_Pix_A32 kBlack{0, 0, 0, 255};
constexpr ZR_Pix_A32 kRed{0, 0, 255, 255};
constexpr ZR_Pix_A32 kBlue{255, 0, 0, 255};

int32_t countIn(const ZR_Chain& chain, const ZR_Win_Element* element) {
  int32_t n = 0;
  chain.forEach<ZR_Win_Element>([&](ZR_Win_Element* e) { n += e == element; });
  return n;
}

// A window with an opaque black background that overwrites, so composed pixels are exact.
struct Scene {
  explicit Scene(int32_t w = 128, int32_t h = 128) : window(w, h), background({0, 0, w, h}, kBlack) {
    background.overwrite = true;
    ZR_Win::attach(&window, &background);
  }
  ZR_Pix_A32 paintedAt(int32_t x, int32_t y) {
    window.invalidate({0, 0, window.width, window.height});
    return window.target.surface.at(x, y);
  }
  RecordingWindow window;
  SolidElement background;
};
}  // namespace

TEST(ZR_Win, CutsItsSizeIntoTilesOf64) {
  struct Case {
    int32_t w, h, columns, rows;
  };
  for (const Case& c : {Case{300, 130, 5, 3}, Case{200, 236, 4, 4}, Case{64, 64, 1, 1}, Case{65, 1, 2, 1},
                        Case{0, 0, 1, 1}}) {
    ZR_Win window(c.w, c.h);
    EXPECT_EQ(window.columns, c.columns) << c.w << " x " << c.h;
    EXPECT_EQ(window.rows, c.rows) << c.w << " x " << c.h;
    EXPECT_EQ(window.tileBuffer.width, 64);
    EXPECT_EQ(window.scratchBuffer.height, 64);
  }
}

TEST(ZR_Win, RegistersAWidgetInEveryTileItOverlapsAndPaintsEachPartOnce) {
  RecordingWindow window(300, 130);
  SolidElement widget({60, 60, 70, 70}, kRed);
  ZR_Win::attach(&window, &widget);
  EXPECT_EQ(widget.window, &window);
  EXPECT_EQ(widget.tileLinkCount, 4);
  for (int32_t r = 0; r < window.rows; ++r) {
    for (int32_t c = 0; c < window.columns; ++c) {
      EXPECT_EQ(countIn(window.tile(c, r), &widget), c <= 1 && r <= 1 ? 1 : 0) << c << "," << r;
    }
  }
  window.invalidate({62, 62, 66, 66});
  // Bottom row of tiles first, left to right within a row.
  const std::vector<ZR_Rect> parts = {{2, 4, 4, 6}, {4, 4, 6, 6}, {2, 2, 4, 4}, {4, 2, 6, 4}};
  EXPECT_EQ(widget.parts, parts);
  const std::vector<ZR_Rect> areas = {{62, 64, 64, 66}, {64, 64, 66, 66}, {62, 62, 64, 64}, {64, 62, 66, 64}};
  EXPECT_EQ(window.target.areas, areas);
}

TEST(ZR_Win, PaintsOnlyInsideTheWindow) {
  RecordingWindow window(100, 70);
  SolidElement widget({0, 0, 100, 70}, kRed);
  ZR_Win::attach(&window, &widget);
  window.invalidate({-20, 50, 500, 500});
  const std::vector<ZR_Rect> areas = {{0, 64, 64, 70}, {64, 64, 100, 70}, {0, 50, 64, 64}, {64, 50, 100, 64}};
  EXPECT_EQ(window.target.areas, areas);
}

TEST(ZR_Win, ClampsTheTileSpanOfAWidgetReachingOutOfTheWindow) {
  ZR_Win window(100, 100);
  SolidElement outside({-30, 90, 10, 300}, kRed);
  ZR_Win::attach(&window, &outside);
  EXPECT_EQ(outside.tileLinkCount, 1);
  EXPECT_EQ(countIn(window.tile(0, 1), &outside), 1);
  SolidElement empty({10, 10, 10, 10}, kRed);
  ZR_Win::attach(&window, &empty);
  EXPECT_EQ(empty.tileLinkCount, 0);
  EXPECT_EQ(window.widgets.count, 2);
}

TEST(ZR_Win, AttachingAgainRegistersOnceInTheCurrentTiles) {
  ZR_Win window(200, 200);
  SolidElement widget({10, 10, 20, 20}, kRed);
  ZR_Win::attach(&window, &widget);
  ZR_Win::attach(&window, &widget);
  EXPECT_EQ(window.widgets.count, 1);
  EXPECT_EQ(countIn(window.tile(0, 0), &widget), 1);
  widget.left = 130;  // moved: registered in its new tile only once attached again
  EXPECT_EQ(countIn(window.tile(2, 0), &widget), 0);
  ZR_Win::attach(&window, &widget);
  EXPECT_EQ(countIn(window.tile(0, 0), &widget), 0);
  EXPECT_EQ(countIn(window.tile(2, 0), &widget), 1);
}

TEST(ZR_Win, DetachingTakesTheWidgetOutOfEveryChainAndTheMouseState) {
  RecordingWindow window(200, 200);
  SolidElement knob({60, 60, 80, 80}, kRed, true);
  ZR_Win::attach(&window, &knob);
  window.onMouseMove(65, 65);
  window.onButtonDown(65, 65);
  ASSERT_EQ(window.captured, &knob);
  ZR_Win::attach(nullptr, &knob);
  EXPECT_EQ(knob.window, nullptr);
  EXPECT_EQ(knob.tileLinkCount, 0);
  EXPECT_EQ(knob.tileLinks, nullptr);
  EXPECT_EQ(window.widgets.count, 0);
  for (int32_t i = 0; i < window.columns * window.rows; ++i) EXPECT_EQ(window.tiles[i].count, 0);
  EXPECT_EQ(window.hovered, nullptr);
  EXPECT_EQ(window.captured, nullptr);
}

TEST(ZR_Win, AnElementLeavesItsWindowWhenDestroyedAndAWindowLetsGoOfItsElements) {
  SolidElement survivor({0, 0, 10, 10}, kRed);
  {
    ZR_Win window(100, 100);
    {
      SolidElement shortLived({0, 0, 10, 10}, kRed);
      ZR_Win::attach(&window, &shortLived);
      ZR_Win::attach(&window, &survivor);
      EXPECT_EQ(window.tile(0, 0).count, 2);
    }
    EXPECT_EQ(window.tile(0, 0).count, 1);
    EXPECT_EQ(window.widgets.count, 1);
  }
  EXPECT_EQ(survivor.window, nullptr);
  EXPECT_EQ(survivor.tileLinkCount, 0);
}

TEST(ZR_Win, DrawsInAttachmentOrderAndHitsTheTopmostOpaqueWidget) {
  Scene scene;
  SolidElement lower({10, 10, 50, 50}, kRed, true), upper({30, 30, 70, 70}, kBlue, true);
  ZR_Win::attach(&scene.window, &lower);
  ZR_Win::attach(&scene.window, &upper);
  const ZR_Pix_A32 overlap = scene.paintedAt(40, 40);
  EXPECT_GT(overlap.b, 200);
  EXPECT_EQ(overlap.r, 0);
  EXPECT_EQ(scene.window.hitTest(40, 40), &upper);
  EXPECT_EQ(scene.window.hitTest(15, 15), &lower);
  EXPECT_EQ(scene.window.hitTest(69, 69), &upper);
  EXPECT_EQ(scene.window.hitTest(70, 70), &scene.background);  // right and bottom are exclusive
  upper.opaque = {20, 20, 40, 40};  // upper is see-through at its top-left: the lower one takes it
  EXPECT_EQ(scene.window.hitTest(40, 40), &lower);
  upper.visible = 0;
  EXPECT_EQ(scene.window.hitTest(65, 65), &scene.background);
  EXPECT_EQ(scene.window.hitTest(-1, 5), nullptr);
  EXPECT_EQ(scene.window.hitTest(5, 128), nullptr);
}

TEST(ZR_Win, HidesInvisibleWidgetsWhenPainting) {
  Scene scene;
  SolidElement widget({10, 10, 20, 20}, kRed);
  widget.visible = 0;
  ZR_Win::attach(&scene.window, &widget);
  EXPECT_EQ(scene.paintedAt(15, 15), kBlack);
  EXPECT_TRUE(widget.parts.empty());
}

TEST(ZR_Win, OnlyKnobsAndButtonsBecomeHoveredAndTheOldOneIsRepaintedPlain) {
  Scene scene;
  SolidElement picture({0, 0, 50, 50}, kRed), knob({60, 60, 90, 90}, kBlue, true);
  ZR_Win::attach(&scene.window, &picture);
  ZR_Win::attach(&scene.window, &knob);
  scene.window.onMouseMove(10, 10);
  EXPECT_EQ(scene.window.hovered, nullptr);
  EXPECT_TRUE(scene.window.invalidated.empty());
  scene.window.onMouseMove(70, 70);
  EXPECT_EQ(scene.window.hovered, &knob);
  ASSERT_EQ(scene.window.invalidated.size(), 1u);
  EXPECT_EQ(scene.window.invalidated[0], knob.rect());
  scene.window.onMouseMove(75, 75);  // still the same knob: nothing to repaint
  EXPECT_EQ(scene.window.invalidated.size(), 1u);
  scene.window.onMouseMove(100, 100);  // the background
  EXPECT_EQ(scene.window.hovered, nullptr);
  ASSERT_EQ(scene.window.invalidated.size(), 2u);
  EXPECT_EQ(scene.window.invalidated[1], knob.rect());
  EXPECT_EQ(scene.window.target.surface.at(70, 70).b, 254);  // plain again: blue blended once over black
}

TEST(ZR_Win, ClampsTheMouseIntoTheWindowBeforeHitTesting) {
  Scene scene(100, 100);
  SolidElement corner({90, 90, 100, 100}, kRed, true);
  ZR_Win::attach(&scene.window, &corner);
  scene.window.onMouseMove(500, 300);
  EXPECT_EQ(scene.window.hovered, &corner);
  scene.window.onMouseMove(-5, -5);
  EXPECT_EQ(scene.window.hovered, nullptr);
}

// The hover transform scales alpha by 1.5; opaque pixels keep their alpha and get brighter instead.
// The transformed pixel is then blended over the opaque black background.
TEST(ZR_Win, HighlightsTheHoveredWidget) {
  struct Case {
    ZR_Pix_A32 pixel, onBlack;
  };
  const Case cases[] = {
      // alpha 200 x 1.5 > 255: colour (100, 200, 250) becomes (150, 255, 255), alpha stays 200
      {{250, 200, 100, 200}, {199, 199, 117, 212}},
      // alpha 100 x 1.5 = 150: colour kept, blended with alpha 150
      {{250, 200, 100, 100}, {146, 117, 58, 193}},
      {{10, 20, 30, 0}, {0, 0, 0, 255}},
  };
  for (const Case& c : cases) {
    Scene scene(64, 64);
    SolidElement knob({8, 8, 16, 16}, c.pixel, true);
    knob.overwrite = true;  // the scratch buffer then holds the pixel itself
    ZR_Win::attach(&scene.window, &knob);
    scene.window.onMouseMove(10, 10);
    ASSERT_EQ(scene.window.hovered, &knob);
    EXPECT_EQ(scene.paintedAt(12, 12), c.onBlack) << int(c.pixel.a);
  }
}

TEST(ZR_Win, GreysOutADisabledWidgetHoveredOrNotAndIgnoresItsPress) {
  for (bool underMouse : {false, true}) {
    Scene scene(64, 64);
    SolidElement button({8, 8, 16, 16}, {250, 200, 100, 255}, true);
    button.overwrite = true;
    ZR_Win::attach(&scene.window, &button);
    if (underMouse) scene.window.onMouseMove(10, 10);
    button.enabled = 0;
    // alpha 255 x 0.4 = 102, colour kept: (100, 200, 250) blended over black with alpha 102
    EXPECT_EQ(scene.paintedAt(12, 12), (ZR_Pix_A32{99, 79, 39, 194})) << underMouse;
    scene.window.onButtonDown(10, 10);
    EXPECT_EQ(scene.window.captured, nullptr);
    EXPECT_TRUE(button.events.empty());
  }
}

TEST(ZR_Win, RoutesPressDragAndReleaseToTheCapturedWidgetInItsOwnCoordinates) {
  Scene scene;
  SolidElement knob({40, 30, 60, 50}, kRed, true);
  ZR_Win::attach(&scene.window, &knob);
  scene.window.onMouseMove(45, 35);
  scene.window.onButtonDown(47, 36);   // the press goes where the last move found a widget
  scene.window.onMouseMove(300, -20);  // dragging is not clamped and not hit-tested
  scene.window.onButtonUp();
  scene.window.onMouseMove(45, 35);
  scene.window.onButtonDown(45, 35);
  scene.window.onMouseLeave();
  const std::vector<std::string> events = {"press 7,6", "drag 260,-50", "release", "press 5,5", "release"};
  EXPECT_EQ(knob.events, events);
  EXPECT_EQ(scene.window.captured, nullptr);
}

TEST(ZR_Win, AButtonPressedOverTheBackgroundReachesNoWidget) {
  Scene scene;
  SolidElement knob({40, 30, 60, 50}, kRed, true);
  ZR_Win::attach(&scene.window, &knob);
  scene.window.onMouseMove(100, 100);
  scene.window.onButtonDown(100, 100);
  EXPECT_EQ(scene.window.captured, nullptr);
  scene.window.onMouseMove(45, 35);
  scene.window.onButtonUp();
  EXPECT_TRUE(knob.events.empty());
  EXPECT_TRUE(scene.background.events.empty());
}

TEST(ZR_Win, GivesUpPaintingWhenThePaintLockStaysTaken) {
  Scene scene(64, 64);
  std::promise<void> locked, done;
  std::thread holder([&] {
    ASSERT_TRUE(scene.window.paintLock().lock(0));
    locked.set_value();
    done.get_future().wait();
    scene.window.paintLock().unlock();
  });
  locked.get_future().wait();
  zr_testing::SurfaceTarget target(scene.window);
  EXPECT_FALSE(scene.window.paint({0, 0, 64, 64}, target));
  EXPECT_TRUE(target.areas.empty());
  done.set_value();
  holder.join();
  EXPECT_TRUE(scene.window.paint({0, 0, 64, 64}, target));
  EXPECT_EQ(target.areas.size(), 1u);
}
