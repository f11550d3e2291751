#include "engine/ZR_Buffer.h"

#include <gtest/gtest.h>

#include <cinttypes>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>

#include "TestGraph.h"
#include "classes/ZR_exec.h"
#include "cmd/ZR_message_box.h"
#include "cmd/ZR_scan.h"
#include "engine/ZR_Soundpipe.h"

namespace {

using Buffer = EngineTest;

int32_t queryLength(ZR_Buffer* buffer) {
  int32_t length = -99;
  ZR_exec("%o -l", buffer, &length);
  return length;
}

TEST_F(Buffer, FollowsTheBlockLengthItWasAllocatedWith) {
  TestGraph graph(512);
  ZR_Buffer* buffer = graph.buffer();
  EXPECT_EQ(buffer->count, 512);
  EXPECT_EQ(buffer->lengthSetting, -1);
  EXPECT_EQ(buffer->shadow, buffer->main + 512) << "the shadow half follows the main half";
  ZR_exec("%o -bl 100", graph.pipe());
  EXPECT_EQ(queryLength(buffer), 100);
  EXPECT_EQ(buffer->count, 512) << "a block length change never resizes";
  EXPECT_EQ(buffer->blockLength(), 100);
}

TEST_F(Buffer, ABlockLengthAboveTheStorageIsReportedButNeverProcessed) {
  TestGraph graph(64);
  ZR_Buffer* buffer = graph.buffer();
  ZR_exec("%o -bl 100", graph.pipe());
  EXPECT_EQ(queryLength(buffer), 100);
  EXPECT_EQ(buffer->blockLength(), 64) << "nodes never run past the samples that exist";
  ZR_exec("%o -bl -3", graph.pipe());
  EXPECT_EQ(buffer->blockLength(), 0);
}

TEST_F(Buffer, LengthZeroReleasesTheStorage) {
  TestGraph graph(512);
  ZR_Buffer* buffer = graph.buffer();
  ZR_exec("%o -l 0", buffer);
  EXPECT_EQ(queryLength(buffer), 0);
  EXPECT_EQ(buffer->count, 0);
  EXPECT_EQ(buffer->main, nullptr);
  EXPECT_EQ(buffer->shadow, nullptr);
}

TEST_F(Buffer, AFixedLengthIsClearedAndWrapsThePosition) {
  TestGraph graph(512);
  ZR_Buffer* buffer = graph.buffer();
  buffer->position = 300;
  buffer->main[5] = 9;
  ZR_exec("%o -l 256", buffer);
  EXPECT_EQ(queryLength(buffer), 256);
  EXPECT_EQ(buffer->count, 256);
  EXPECT_EQ(buffer->position, 44);
  for (int32_t i = 0; i < 256; ++i) ASSERT_EQ(buffer->main[i], 0);
  ZR_exec("%o -bl 100", graph.pipe());
  EXPECT_EQ(queryLength(buffer), 256) << "a fixed length follows no soundpipe";
}

TEST_F(Buffer, AnInvalidLengthSettingIsRefused) {
  TestGraph graph(512);
  ZR_Buffer* buffer = graph.buffer();
  ZR_exec("%o -l -5", buffer);
  EXPECT_EQ(buffer->count, 512);
  EXPECT_EQ(buffer->lengthSetting, -1);
}

TEST_F(Buffer, CreatedWithNoCurrentSoundpipeItHasNoStorageAndNoList) {
  ZR_Buffer* buffer = nullptr;
  ASSERT_EQ(ZR_exec("ZR_Buffer", &buffer), ZR_OK);
  ASSERT_NE(buffer, nullptr);
  EXPECT_EQ(buffer->count, 0);
  EXPECT_EQ(buffer->lengthSetting, 0);
  EXPECT_EQ(buffer->link.chain, nullptr);
  EXPECT_EQ(buffer->limit, 1073741823);
  ZR_exec("%o -delete", buffer);
}

TEST_F(Buffer, TagIsAReferenceToTheCallersText) {
  TestGraph graph(8);
  static const char tag[] = "buf_i";
  ZR_Buffer* buffer = graph.make<ZR_Buffer>("ZR_Buffer -t %o", tag);
  const char* seen = nullptr;
  ZR_exec("%o -t", buffer, &seen);
  EXPECT_EQ(seen, tag);
}

TEST_F(Buffer, LimitTakesIntegersAndTruncatedReals) {
  TestGraph graph(8);
  ZR_Buffer* buffer = graph.buffer();
  int32_t limit = 0;
  ZR_exec("%o -limit 5.9 -limit", buffer, &limit);
  EXPECT_EQ(limit, 5);
  ZR_exec("%o -limit -5.9 -limit", buffer, &limit);
  EXPECT_EQ(limit, -5);
  ZR_exec("%o -limit 77 -limit loud -limit 1e20 -limit", buffer, &limit);
  EXPECT_EQ(limit, 77) << "a text and a real beyond 32 bits leave it";
}

ZR_error textCommand(std::string& text, char* out, int* capacity, ...) {
  va_list arguments;
  va_start(arguments, capacity);
  ZR_error result = ZR_command(ZR_COMMAND_TEXT, text.data(), out, capacity, arguments);
  va_end(arguments);
  return result;
}

TEST_F(Buffer, TextModeReportsTheBufferAndItsLength) {
  std::string text = "ZR_Buffer -l 512 -l";
  char out[64];
  int capacity = sizeof out;
  ASSERT_EQ(textCommand(text, out, &capacity), ZR_OK);
  void* buffer = ZR_scan(out, nullptr).value.p;
  char expected[64];
  std::snprintf(expected, sizeof expected, "0x%" PRIXPTR " 512", reinterpret_cast<uintptr_t>(buffer));
  EXPECT_STREQ(out, expected);
  ZR_exec("%o -delete", buffer);
}

TEST_F(Buffer, DeletedItLeavesTheSoundpipesList) {
  TestGraph graph(8);
  ZR_Buffer* kept = graph.buffer();
  ZR_Buffer* gone = nullptr;
  ZR_exec("ZR_Buffer", &gone);
  EXPECT_EQ(graph.pipe()->buffers.count, 2);
  ZR_exec("%o -delete", gone);
  EXPECT_EQ(graph.pipe()->buffers.count, 1);
  EXPECT_EQ(graph.pipe()->buffers.first(), &kept->link);
  graph.process(8);  // walks the list: must not touch the deleted buffer
}

std::string boxText;
void captureBox(const char* text, const char*) { boxText = text; }

TEST_F(Buffer, StorageThatCannotBeAllocatedIsReportedAndLeftEmpty) {
  if (sizeof(void*) > 4) GTEST_SKIP() << "only a 32-bit address space refuses every large length";
  ZR_message_sink previous = ZR_set_message_sink(captureBox);
  ZR_Buffer* buffer = nullptr;
  ZR_exec("ZR_Buffer -l %i", &buffer, INT32_MAX);
  ZR_set_message_sink(previous);
  ASSERT_NE(buffer, nullptr);
  EXPECT_EQ(buffer->count, 0);
  EXPECT_EQ(buffer->main, nullptr);
  EXPECT_EQ(queryLength(buffer), 0);
  EXPECT_EQ(boxText.rfind("Error: Cannot allocate memory", 0), 0u) << boxText;
  ZR_exec("%o -delete", buffer);
}

}  // namespace
