#include "wid/ZR_Wid.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "ZR_wid_test_support.h"
#include "classes/ZR_exec.h"
#include "wid/ZR_Wid_Butt.h"
#include "wid/ZR_Wid_Knob.h"
#include "wid/ZR_Wid_Pal.h"
#include "wid/ZR_Wid_Pic.h"
#include "wid/ZR_Wid_Text.h"

namespace {
const ZR_Option* registered(const char* name) {
  for (const ZR_Class* row = _ZR; row->name; ++row) {
    if (std::strcmp(row->name, name) == 0) return row->options;
  }
  return nullptr;
}

std::vector<std::string> optionNames(const ZR_Option* table) {
  std::vector<std::string> names;
  for (const ZR_Option* row = table + 1; row->name; ++row) names.push_back(row->name);
  return names;
}

const ZR_Option* continuation(const ZR_Option* table) {
  while (table->name) ++table;
  return table->next;
}
}  // namespace

// The six widget rows close the registry, each with its table, options and continuation.
TEST(ZR_Wid, RegistryRowsCarryTheWidgetTables) {
  struct Row {
    const char* name;
    const ZR_Option* table;
    bool constructs;
    std::vector<std::string> options;
    const ZR_Option* continues;
  };
  const Row rows[] = {
      {"ZR_Wid",
       ZR_Wid::table,
       false,
       {"l", "t", "w", "h", "win", "vis", "enabled", "delete"},
       ZR_Object::table},
      {"ZR_Wid_Pic", ZR_Wid_Pic::table, true, {"res"}, ZR_Wid::table},
      {"ZR_Wid_Butt", ZR_Wid_Butt::table, true, {"res", "com", "var", "val", "dat"}, ZR_Wid::table},
      {"ZR_Wid_Knob",
       ZR_Wid_Knob::table,
       true,
       {"res", "com", "val", "dat", "mn", "mx", "var"},
       ZR_Wid::table},
      {"ZR_Wid_Pal",
       ZR_Wid_Pal::table,
       true,
       {"res", "mn", "rl", "mx", "bg", "fg", "rg", "cg", "ch", "ln", "level"},
       ZR_Wid::table},
      {"ZR_Wid_Text",
       ZR_Wid_Text::table,
       true,
       {"text", "color", "font", "size", "horz", "bold"},
       ZR_Wid::table},
  };
  int index = 0;
  while (_ZR[index].name && std::strcmp(_ZR[index].name, "ZR_Wid") != 0) ++index;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    ASSERT_NE(_ZR[index].name, nullptr);
    EXPECT_STREQ(_ZR[index].name, row.name);
    EXPECT_EQ(registered(row.name), row.table);
    EXPECT_EQ(row.table[0].constructor != nullptr, row.constructs);
    EXPECT_EQ(optionNames(row.table), row.options);
    EXPECT_EQ(continuation(row.table), row.continues);
    ++index;
  }
  EXPECT_EQ(_ZR[index].name, nullptr);
}

TEST(ZR_Wid, PositionAndSizeTakeIntegersAndTruncatedReals) {
  ZR_Wid_Pic* widget = nullptr;
  ASSERT_EQ(ZR_exec("ZR_Wid_Pic -l 12.7 -t -3 -w 40 -h 7.9", &widget), ZR_OK);
  ASSERT_NE(widget, nullptr);
  EXPECT_EQ(widget->rect(), (ZR_Rect{12, -3, 52, 4}));
  int32_t left = 0, width = 0;
  ASSERT_EQ(ZR_exec("ZR_Wid %o -l -w", widget, &left, &width), ZR_OK);
  EXPECT_EQ(left, 12);
  EXPECT_EQ(width, 40);
  // Words of other kinds are not numbers: the field keeps its value and is reported.
  EXPECT_EQ(ZR_exec("ZR_Wid %o -l abc", widget), ZR_OK);
  EXPECT_EQ(widget->left, 12);
  EXPECT_EQ(widget->visible, 1);
  EXPECT_EQ(widget->enabled, 1);
  ZR_exec("%o -delete", widget);
}

// A window of 300 x 130 has 5 x 3 tiles; a 10 x 10 widget at (60, 60) lies in four of them.
TEST(ZR_Wid, WinAttachesToTheTilesOfTheRectangleAndZeroDetaches) {
  TestWindow window(300, 130);
  ZR_Wid_Pic* widget = nullptr;
  ASSERT_EQ(ZR_exec("ZR_Wid_Pic -l 60 -t 60 -w 10 -h 10 -win %o", &widget, &window), ZR_OK);
  EXPECT_EQ(widget->window, &window);
  EXPECT_EQ(window.widgets.count, 1);
  EXPECT_EQ(widget->tileLinkCount, 4);
  for (int32_t row = 0; row < window.rows; ++row) {
    for (int32_t column = 0; column < window.columns; ++column) {
      EXPECT_EQ(window.tile(column, row).count, column < 2 && row < 2 ? 1 : 0) << column << "," << row;
    }
  }
  void* reported = nullptr;
  ASSERT_EQ(ZR_exec("ZR_Wid %o -win", widget, &reported), ZR_OK);
  EXPECT_EQ(reported, &window);

  ASSERT_EQ(ZR_exec("ZR_Wid %o -win 0", widget), ZR_OK);
  EXPECT_EQ(widget->window, nullptr);
  EXPECT_EQ(window.widgets.count, 0);
  EXPECT_EQ(widget->tileLinkCount, 0);
  EXPECT_EQ(window.tile(1, 1).count, 0);
  ZR_exec("%o -delete", widget);
}

// Hiding repaints at once without the widget, and hit testing passes through it.
TEST(ZR_Wid, VisZeroRepaintsAtOnceAndHidesFromHitTesting) {
  TestWindow window(64, 64);
  ZR_Wid_Pic* below = nullptr;
  ZR_Wid_Pic* above = nullptr;
  ASSERT_EQ(ZR_exec("ZR_Wid_Pic -w 64 -h 64 -res bgnd -win %o", &below, &window), ZR_OK);
  ASSERT_EQ(ZR_exec("ZR_Wid_Pic -l 8 -t 8 -res alt -win %o", &above, &window), ZR_OK);
  EXPECT_EQ(window.hitTest(10, 10), above);
  window.invalidated.clear();
  ASSERT_EQ(ZR_exec("ZR_Wid %o -vis 0", above), ZR_OK);
  ASSERT_EQ(window.invalidated.size(), 1u);
  EXPECT_EQ(window.invalidated[0], (ZR_Rect{8, 8, 18, 18}));
  EXPECT_EQ(window.hitTest(10, 10), below);
  // What shows there now is the background alone.
  TestWindow alone(64, 64);
  ZR_Wid_Pic* reference = nullptr;
  ASSERT_EQ(ZR_exec("ZR_Wid_Pic -w 64 -h 64 -res bgnd -win %o", &reference, &alone), ZR_OK);
  alone.paintAll();
  for (int32_t y = 8; y < 18; ++y) {
    for (int32_t x = 8; x < 18; ++x) ASSERT_EQ(window.pixel(x, y), alone.pixel(x, y)) << x << "," << y;
  }
  int32_t visible = -1;
  ASSERT_EQ(ZR_exec("ZR_Wid %o -vis", above, &visible), ZR_OK);
  EXPECT_EQ(visible, 0);
  for (ZR_Wid_Pic* widget : {above, below, reference}) ZR_exec("%o -delete", widget);
}

TEST(ZR_Wid, EnabledRepaintsAndReports) {
  TestWindow window(64, 64);
  ZR_Wid_Pic* widget = nullptr;
  ASSERT_EQ(ZR_exec("ZR_Wid_Pic -w 20 -h 20 -res bgnd -win %o", &widget, &window), ZR_OK);
  window.invalidated.clear();
  int32_t enabled = -1;
  ASSERT_EQ(ZR_exec("ZR_Wid %o -enabled 0 -enabled", widget, &enabled), ZR_OK);
  EXPECT_EQ(enabled, 0);
  EXPECT_EQ(window.invalidated.size(), 1u);
  // An opaque background pixel drawn over nothing (alpha 254), at 40 % of that, over nothing again.
  const uint8_t drawn = ZR_blend_byte(0, 255, 255);
  const uint8_t faint = static_cast<uint8_t>(drawn * 0.4);
  EXPECT_EQ(window.pixel(5, 5).a, ZR_blend_byte(0, faint, faint));
  ZR_exec("%o -delete", widget);
}

// Deleting an attached widget takes it out of every tile before its memory goes, so painting the
// window afterwards touches nothing freed (the sanitizer build checks that).
TEST(ZR_Wid, DeleteOnAnAttachedWidgetLeavesEveryTile) {
  TestWindow window(300, 130);
  ZR_Wid_Pic* widget = nullptr;
  ASSERT_EQ(ZR_exec("ZR_Wid_Pic -l 60 -t 60 -w 100 -h 10 -res bgnd -win %o", &widget, &window), ZR_OK);
  EXPECT_EQ(window.tile(2, 1).count, 1);
  ASSERT_EQ(ZR_exec("%o -delete", widget), ZR_OK);
  EXPECT_EQ(window.widgets.count, 0);
  for (int32_t row = 0; row < window.rows; ++row) {
    for (int32_t column = 0; column < window.columns; ++column) EXPECT_EQ(window.tile(column, row).count, 0);
  }
  window.paintAll();
  EXPECT_EQ(window.pixel(70, 65).a, 0);
}
