#include "engine/nodes/ZR_Effect_Zero.h"

#include <gtest/gtest.h>

#include "TestGraph.h"
#include "engine/ZR_Buffer.h"

namespace {

using Zero = EngineTest;

TEST_F(Zero, ClearsTheBlockOfItsBufferWhateverItsMode) {
  TestGraph graph(8);
  ZR_Buffer* buffer = graph.buffer();
  ZR_Effect_Zero* node = graph.make<ZR_Effect_Zero>("ZR_Effect_Zero -o %o -mode add", buffer);
  void* output = nullptr;
  ZR_exec("%o -o", node, &output);
  EXPECT_EQ(output, buffer);
  for (int i = 0; i < 8; ++i) buffer->main[i] = 7;
  graph.process(6);
  for (int i = 0; i < 6; ++i) EXPECT_EQ(buffer->main[i], 0) << i;
  EXPECT_EQ(buffer->main[6], 7) << "only the block's samples";
  EXPECT_EQ(buffer->main[7], 7);
}

TEST_F(Zero, AnUnsetOrWrongOutputIsSkipped) {
  TestGraph graph(8);
  ZR_Buffer* buffer = graph.buffer();
  ZR_Effect_Zero* node = graph.make<ZR_Effect_Zero>("ZR_Effect_Zero");
  ZR_exec("%o -o 5 -o %o", node, node);
  EXPECT_EQ(node->output, nullptr) << "a number and an effect are not buffers";
  buffer->main[0] = 7;
  graph.process(8);
  EXPECT_EQ(buffer->main[0], 7);
}

}  // namespace
