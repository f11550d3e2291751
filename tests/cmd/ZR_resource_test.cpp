#include "cmd/ZR_resource.h"

#include <gtest/gtest.h>

#include <string>

#include "cmd/ZR_message_box.h"

namespace {

std::string boxText;
int boxes = 0;
void captureBox(const char* text, const char*) {
  boxText = text;
  ++boxes;
}

TEST(Resource, FindsDataByNameWithoutRegardToCase) {
  for (const char* name : {"TESTDATA", "testdata", "TestData"}) {
    size_t size = 0;
    const char* data = static_cast<const char*>(ZR_resource_sized(name, &size));
    ASSERT_NE(data, nullptr) << name;
    EXPECT_EQ(std::string(data, size), "QORM test resource\n");
  }
}

TEST(Resource, MissingOneIsReportedByNameAndGivesNull) {
  ZR_message_sink previous = ZR_set_message_sink(captureBox);
  boxes = 0;
  size_t size = 99;
  EXPECT_EQ(ZR_resource("NO_SUCH_PICTURE"), nullptr);
  EXPECT_EQ(ZR_resource_sized("NO_SUCH_PICTURE", &size), nullptr);
  ZR_set_message_sink(previous);
  EXPECT_EQ(boxes, 2);
  EXPECT_EQ(size, 0u);
  EXPECT_EQ(boxText.rfind("Error: NO_SUCH_PICTURE\nFile: ZR_cfuncs\nLine: 121\nProc: ZR_resource\n", 0), 0u)
      << boxText;
}

}  // namespace
