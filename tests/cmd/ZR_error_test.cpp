#include "cmd/ZR_error.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "cmd/ZR_message_box.h"

namespace {

struct Box {
  std::string text, caption;
  int shown = 0;
};
Box lastBox;

void captureBox(const char* text, const char* caption) {
  lastBox.text = text;
  lastBox.caption = caption;
  ++lastBox.shown;
}

// Routes boxes to the test for the scope of one test; a modal box would hang an unattended run.
class CapturedBoxes : public testing::Test {
 protected:
  void SetUp() override {
    lastBox = Box();
    previous_ = ZR_set_message_sink(captureBox);
  }
  void TearDown() override { ZR_set_message_sink(previous_); }
  ZR_message_sink previous_ = nullptr;
};

TEST(ErrorCodes, AreDistinctAndCarryTheirMessages) {
  std::set<ZR_error> distinct(std::begin(ZR_errors), std::end(ZR_errors));
  EXPECT_EQ(distinct.size(), 21u);
  EXPECT_EQ(ZR_errors[0], ZR_OK);
  EXPECT_EQ(ZR_errors[20], ZR_ERROR_COMMAND_NOT_SPACE);
  EXPECT_STREQ(ZR_OK, "Operation OK");
  EXPECT_STREQ(ZR_ERROR_COMMAND_NOT_PARAM, "Param not found");
  EXPECT_STREQ(ZR_ERROR_MEMORY_CANNOT_REALLOC, "Cannot re-allocate memory");
}

TEST_F(CapturedBoxes, ErrorFuncFormatsEveryField) {
  ZR_error_func("src/x.cpp", 42, "proc", "Jul 13 2013", "21:39:37", "Boom");
  EXPECT_EQ(lastBox.caption, "ERROR");
  EXPECT_EQ(lastBox.text,
            "Error: Boom\nFile: src/x.cpp\nLine: 42\nProc: proc\nDate: Jul 13 2013\nTime: 21:39:37");
}

TEST_F(CapturedBoxes, ErrorFuncCutsAnOverlongText) {
  std::string huge(10000, 'x');
  ZR_error_func("f", 1, "p", "d", "t", huge.c_str());
  EXPECT_EQ(lastBox.shown, 1);
  EXPECT_LT(lastBox.text.size(), huge.size());
  EXPECT_EQ(lastBox.text.rfind("Error: xxxx", 0), 0u);
}

}  // namespace
