// The whole editor composed headlessly: the application's widgets on a memory window of the
// editor's size, driven with the mouse as a user would drive them.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "../wine/testhost/PngWriter.h"
#include "ZR_app_test_support.h"
#include "app/ZR_Application.h"
#include "classes/ZR_exec.h"
#include "native/ZR_Win_Native.h"
#include "wid/ZR_Wid_Butt.h"
#include "wid/ZR_Wid_Knob.h"
#include "wid/ZR_Wid_Text.h"

namespace {

using Pixels = std::vector<ZR_Pix_A32>;

class Editor : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(app.build(), ZR_OK);
    app.attach(&window);
    window.invalidateAll();
  }
  void TearDown() override {
    app.detach();
    testing::internal::CaptureStdout();
    app.destroy();
    testing::internal::GetCapturedStdout();
  }

  ZR_Wid* widget(int32_t slot) const { return static_cast<ZR_Wid*>(app.widgets[slot]); }
  ZR_Wid_Knob* knob() const { return static_cast<ZR_Wid_Knob*>(app.widgets[ZR_Application::kKnob]); }
  ZR_Wid_Butt* button() const { return static_cast<ZR_Wid_Butt*>(app.widgets[ZR_Application::kOnOffButton]); }
  ZR_Wid_Text* readout() const { return static_cast<ZR_Wid_Text*>(app.widgets[ZR_Application::kReadout]); }

  // The composed pixels of a rectangle, row by row.
  Pixels area(const ZR_Rect& r) const {
    Pixels out;
    for (int32_t y = r.top; y < r.bottom; ++y)
      for (int32_t x = r.left; x < r.right; ++x) out.push_back(window.pixel(x, y));
    return out;
  }

  // What lies under a widget: its rectangle composed with the widget hidden.
  Pixels under(ZR_Wid* shown) {
    ZR_exec("ZR_Wid %o -vis 0", shown);
    Pixels below = area(shown->rect());
    ZR_exec("ZR_Wid %o -vis 1", shown);
    return below;
  }

  // What drawing makes of the pixels below: drawer's whole picture blended onto them, as a window
  // draws an enabled widget that is not hovered.
  static Pixels drawnOver(const Pixels& below, ZR_Wid& drawer) {
    ZR_Pic<ZR_Pix_A32> picture;
    picture.create(drawer.width, drawer.height);
    std::copy(below.begin(), below.end(), picture.pixels);
    drawer.draw(picture, 0, 0, {0, 0, drawer.width, drawer.height});
    return Pixels(picture.pixels, picture.pixels + below.size());
  }

  void pointAt(const ZR_Wid& w) { window.mouseMove(w.left + w.width / 2, w.top + w.height / 2); }
  void click(const ZR_Wid& w) {
    pointAt(w);
    window.mouseDown(w.left + w.width / 2, w.top + w.height / 2);
    window.mouseUp();
    window.service();
  }

  void savePng(const char* path) const {
    std::vector<uint8_t> rgba;
    for (int32_t y = 0; y < window.height; ++y)
      for (int32_t x = 0; x < window.width; ++x) {
        const ZR_Pix_A32 p = window.pixel(x, y);
        rgba.insert(rgba.end(), {p.r, p.g, p.b, p.a});
      }
    EXPECT_TRUE(writePng(path, window.width, window.height, rgba.data())) << path;
  }

  ZR_Application app;
  ZR_Win_Native window{200, 236};
};

// The read-out's text for knob value v, as the Frequency parameter writes it.
std::string readoutFor(const ZR_Application& app, float v) {
  char text[32];
  std::snprintf(text, sizeof text, "%.0f Hz", static_cast<double>(app.frequency.cutoff(v)));
  return text;
}

TEST_F(Editor, HoldsTwentyFiveWidgetsInSlotOrder) {
  int held = 0;
  for (int32_t slot = 0; slot < ZR_Application::kWidgetSlots; ++slot) {
    EXPECT_EQ(app.widgets[slot] == nullptr, slot == 20 || slot == 21) << slot;
    held += app.widgets[slot] != nullptr;
  }
  EXPECT_EQ(held, 25);
  EXPECT_EQ(window.widgets.count, 25);
  // Attached in slot order: the window's chain is the table without its gaps.
  int32_t slot = 0;
  window.widgets.forEach<ZR_Win_Element>([&](ZR_Win_Element* element) {
    while (!app.widgets[slot]) ++slot;
    EXPECT_EQ(element, static_cast<ZR_Win_Element*>(widget(slot))) << slot;
    ++slot;
  });
}

TEST_F(Editor, PlacesEveryPieceWhereTheLayoutSays) {
  struct Place {
    int32_t slot, left, top, width, height;
  };
  const Place places[] = {
      {0, 0, 0, 200, 236},    {1, 0, 0, 10, 10},     {2, 10, 0, 180, 10},    {3, 190, 0, 10, 10},
      {4, 0, 10, 10, 216},    {5, 190, 10, 10, 216}, {6, 0, 226, 10, 10},    {7, 10, 226, 180, 10},
      {8, 190, 226, 10, 10},  {9, 20, 8, 160, 30},   {10, 10, 35, 180, 20},  {11, 10, 56, 10, 10},
      {12, 20, 56, 160, 10},  {13, 180, 56, 10, 10}, {14, 10, 66, 10, 150},  {15, 16, 62, 168, 158},
      {16, 180, 66, 10, 150}, {17, 10, 216, 10, 10}, {18, 20, 216, 160, 10}, {19, 180, 216, 10, 10},
      {22, 21, 67, 40, 24},   {23, 62, 70, 80, 16},  {24, 50, 104, 96, 18},  {25, 66, 126, 64, 64},
      {26, 66, 194, 64, 18},
  };
  for (const Place& p : places) {
    const ZR_Wid* w = widget(p.slot);
    ASSERT_NE(w, nullptr) << p.slot;
    EXPECT_EQ(w->left, p.left) << p.slot;
    EXPECT_EQ(w->top, p.top) << p.slot;
    EXPECT_EQ(w->width, p.width) << p.slot;
    EXPECT_EQ(w->height, p.height) << p.slot;
  }
  EXPECT_STREQ(static_cast<ZR_Wid_Text*>(app.widgets[10])->text(), "3-rd order Butterworth low-pass");
  EXPECT_STREQ(static_cast<ZR_Wid_Text*>(app.widgets[23])->text(), "Filter");
  EXPECT_EQ(static_cast<ZR_Wid_Text*>(app.widgets[23])->horz, -1);
  EXPECT_STREQ(static_cast<ZR_Wid_Text*>(app.widgets[24])->text(), "Cutoff frequency");
  EXPECT_EQ(static_cast<ZR_Wid_Text*>(app.widgets[24])->color, 0x00E0C0C0u);
  EXPECT_EQ(readout()->color, 0x00B0B0B0u);
  EXPECT_EQ(knob()->mn, 20.0f);
  EXPECT_EQ(knob()->mx, 10000.0f);
  EXPECT_EQ(button()->var, &app.state);
  EXPECT_EQ(knob()->var, &app.frequency);
  EXPECT_EQ(app.frequency.widget, app.widgets[ZR_Application::kKnob]);
}

// Every tile is composed over what the previous tile left, so each pixel needs an opaque pixel
// drawn first: the background, opaque throughout, spans the window and is first in every tile.
// Blending moves alpha too, so the translucent frame pieces leave less than 255 in the composed
// alpha; a hole would leave 0.
void expectCovered(const ZR_Win& window, ZR_Wid_Pic& background) {
  EXPECT_EQ(background.rect(), (ZR_Rect{0, 0, window.width, window.height}));
  ASSERT_TRUE(background.picture.hasPixels());
  for (int32_t y = 0; y < background.picture.height; ++y)
    for (int32_t x = 0; x < background.picture.width; ++x)
      ASSERT_EQ(background.picture.at(x, y).a, 255) << x << "," << y;
  for (int32_t row = 0; row < window.rows; ++row)
    for (int32_t column = 0; column < window.columns; ++column) {
      const ZR_Chain_Item* first = window.tile(column, row).first();
      ASSERT_NE(first, nullptr);
      EXPECT_EQ(first->data, static_cast<ZR_Win_Element*>(&background)) << column << "," << row;
    }
}

void expectNoHoles(const ZR_Win_Native& window) {
  for (int32_t y = 0; y < window.height; ++y)
    for (int32_t x = 0; x < window.width; ++x) ASSERT_GE(window.pixel(x, y).a, 128) << x << "," << y;
}

TEST_F(Editor, CoversEveryPixelOpaquely) {
  savePng("qorm_editor_native.png");
  expectCovered(window, *static_cast<ZR_Wid_Pic*>(app.widgets[0]));
  expectNoHoles(window);
}

TEST_F(Editor, StartsOnWithTheKnobAt1500AndTheReadoutAt239Hz) {
  EXPECT_TRUE(button()->state);
  for (int32_t slot : {ZR_Application::kCaption, ZR_Application::kKnob, ZR_Application::kReadout})
    EXPECT_EQ(widget(slot)->enabled, 1) << slot;
  // 264 x (1500 - 20) / 9980 = 39.15: frame 39.
  EXPECT_EQ(knob()->frame, 39);
  const Pixels below = under(knob());
  EXPECT_EQ(area(knob()->rect()), drawnOver(below, *knob()));
  for (int32_t other : {0, 38, 40}) {
    knob()->frame = other;
    EXPECT_NE(area(knob()->rect()), drawnOver(below, *knob())) << other;
  }
  knob()->frame = 39;

  // 9980 x (1480 / 9980)^2 + 20 = 239.48 Hz. The read-out shows what a text widget of its own
  // settings draws for "239 Hz".
  EXPECT_STREQ(readout()->text(), "239 Hz");
  ZR_Wid_Text* reference = nullptr;
  ZR_exec("ZR_Wid_Text -font %s -size %i -color %i -text %s -l %i -t %i -w 64 -h 18", &reference, "Tahoma",
          12, 0x00B0B0B0, "239 Hz", 66, 194);
  ZR_Win_Native scratch(200, 236);
  ZR_exec("ZR_Wid %o -win %o", reference, &scratch);
  reference->render();
  EXPECT_EQ(area(readout()->rect()), drawnOver(under(readout()), *reference));
  ZR_exec("%o -delete", reference);
}

TEST_F(Editor, DraggingTheKnobTurnsFrequencyAndTheReadout) {
  const Pixels knobBefore = area(knob()->rect());
  const Pixels readoutBefore = area(readout()->rect());
  pointAt(*knob());
  EXPECT_EQ(window.hovered, static_cast<ZR_Win_Element*>(knob()));
  const int32_t x = knob()->left + 32, y = knob()->top + 32;
  window.mouseDown(x, y);
  window.mouseMove(x + 30, y - 20);  // 50 frames up: 39 + 50 = 89
  window.mouseUp();
  EXPECT_STREQ(readout()->text(), "239 Hz") << "the read-out follows when the window is next serviced";
  window.service();

  EXPECT_EQ(knob()->frame, 89);
  const float v = knob()->value();
  EXPECT_NEAR(v, 20.0f + 89.0f / 264.0f * 9980.0f, 0.01f);
  EXPECT_EQ(app.frequency.real(), v);
  EXPECT_FLOAT_EQ(app.frequency.normalised(), (v - 20.0f) / 9980.0f);
  EXPECT_EQ(readout()->text(), readoutFor(app, v));
  EXPECT_EQ(readoutFor(app, v), "1154 Hz");
  EXPECT_NE(area(knob()->rect()), knobBefore);
  EXPECT_NE(area(readout()->rect()), readoutBefore);
}

// Disabled widgets keep only 0.4 of their alpha: every pixel lies between what is below and what
// the enabled widget showed, and most come closer to what is below.
void expectGreyed(const Pixels& below, const Pixels& enabled, const Pixels& disabled, int32_t slot) {
  ASSERT_EQ(disabled.size(), below.size());
  int closer = 0, changed = 0;
  for (size_t i = 0; i < below.size(); ++i) {
    const int shown[] = {enabled[i].r, enabled[i].g, enabled[i].b};
    const int faint[] = {disabled[i].r, disabled[i].g, disabled[i].b};
    const int base[] = {below[i].r, below[i].g, below[i].b};
    int distanceShown = 0, distanceFaint = 0;
    for (int c = 0; c < 3; ++c) {
      distanceShown += std::abs(shown[c] - base[c]);
      distanceFaint += std::abs(faint[c] - base[c]);
    }
    ASSERT_LE(distanceFaint, distanceShown + 8) << "slot " << slot << " pixel " << i;
    changed += distanceShown > 12;
    closer += distanceShown > 12 && distanceFaint * 10 < distanceShown * 8;
  }
  EXPECT_GT(changed, 20) << slot;
  EXPECT_GT(closer, changed * 9 / 10) << slot;
}

TEST_F(Editor, ClickingTheButtonSwitchesOffAndGreysTheControls) {
  const int32_t slots[] = {ZR_Application::kCaption, ZR_Application::kKnob, ZR_Application::kReadout};
  std::vector<Pixels> enabled, below;
  for (int32_t slot : slots) {
    enabled.push_back(area(widget(slot)->rect()));
    below.push_back(under(widget(slot)));
  }
  const Pixels buttonOn = area(button()->rect());
  click(*button());

  EXPECT_EQ(app.state.word(), 0);
  EXPECT_EQ(app.state.kind, ZR_KIND_ONOFF);
  EXPECT_EQ(app.state.normalised(), 0.0f);
  EXPECT_FALSE(button()->state);
  EXPECT_NE(area(button()->rect()), buttonOn);
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(widget(slots[i])->enabled, 0) << slots[i];
    expectGreyed(below[i], enabled[i], area(widget(slots[i])->rect()), slots[i]);
  }
  savePng("qorm_editor_native_off.png");

  // A disabled knob takes no drag; a second click brings everything back.
  const float v = app.frequency.real();
  window.mouseMove(knob()->left + 32, knob()->top + 32);
  window.mouseDown(knob()->left + 32, knob()->top + 32);
  window.mouseMove(knob()->left + 80, knob()->top + 32);
  window.mouseUp();
  EXPECT_EQ(app.frequency.real(), v);
  click(*button());
  EXPECT_EQ(app.state.word(), 1);
  window.mouseMove(2, 2);
  for (size_t i = 0; i < 3; ++i) EXPECT_EQ(area(widget(slots[i])->rect()), enabled[i]) << slots[i];
}

TEST_F(Editor, DetachingLeavesTheWindowEmptyAndAttachingAgainShowsTheSameState) {
  click(*button());
  window.mouseMove(2, 2);  // nothing hovered
  const Pixels shown = area({0, 0, 200, 236});
  app.detach();
  EXPECT_EQ(window.widgets.count, 0);
  for (int32_t row = 0; row < window.rows; ++row)
    for (int32_t column = 0; column < window.columns; ++column) EXPECT_EQ(window.tile(column, row).count, 0);
  app.attach(&window);
  window.invalidateAll();
  EXPECT_EQ(area({0, 0, 200, 236}), shown);
}

// Bad pictures are reported and leave the widgets as they were; the editor still opens whole.
TEST(EditorResources, AMissingNameAndDataOfTheWrongKindAreReportedAndTheEditorStillOpens) {
  MessageBoxes boxes;
  ZR_Application app;
  app.build();
  ASSERT_TRUE(boxes.shown().empty());
  ZR_Wid* logo = static_cast<ZR_Wid*>(app.widgets[9]);
  ZR_Wid_Knob* knob = static_cast<ZR_Wid_Knob*>(app.widgets[ZR_Application::kKnob]);
  ZR_exec("ZR_Wid_Pic %o -res nosuchpicture", logo);
  ZR_exec("ZR_Wid_Pic %o -res TESTDATA", app.widgets[0]);  // a text file, not ZRIF
  ZR_exec("ZR_Wid_Knob %o -res TESTDATA", knob);           // nor ZRVF
  ASSERT_EQ(boxes.shown().size(), 3u);
  EXPECT_NE(boxes.shown()[0].text.find("nosuchpicture"), std::string::npos) << boxes.shown()[0].text;
  EXPECT_NE(boxes.shown()[1].text.find("Invalid ZRIF header"), std::string::npos) << boxes.shown()[1].text;
  EXPECT_NE(boxes.shown()[2].text.find("Invalid ZRVF header"), std::string::npos) << boxes.shown()[2].text;
  for (const MessageBoxes::Box& box : boxes.shown()) EXPECT_EQ(box.caption, "ERROR");
  EXPECT_EQ(logo->width, 160);

  ZR_Win_Native window(200, 236);
  app.attach(&window);
  window.invalidateAll();
  expectCovered(window, *static_cast<ZR_Wid_Pic*>(app.widgets[0]));
  expectNoHoles(window);
  window.mouseMove(knob->left + 32, knob->top + 32);
  window.mouseDown(knob->left + 32, knob->top + 32);
  window.mouseMove(knob->left + 42, knob->top + 32);
  window.mouseUp();
  EXPECT_EQ(knob->frame, 49);  // the strip it had still turns
  app.detach();
  testing::internal::CaptureStdout();
  app.destroy();
  testing::internal::GetCapturedStdout();
}

}  // namespace
