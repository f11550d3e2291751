#include "engine/nodes/ZR_Effect_Copy.h"

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

#include "TestGraph.h"
#include "engine/ZR_Buffer.h"

namespace {

using Copy = EngineTest;

std::vector<int32_t> mainOf(ZR_Buffer* buffer, int32_t n) {
  return std::vector<int32_t>(buffer->main, buffer->main + n);
}

struct SelfCase {
  const char* mode;
  std::vector<int32_t> result;
};

class CopyOntoItself : public EngineTest, public testing::WithParamInterface<SelfCase> {};

TEST_P(CopyOntoItself, CombinesTheBufferWithItself) {
  TestGraph graph(3);
  ZR_Buffer* buffer = graph.buffer();
  graph.make<ZR_Effect_Copy>("ZR_Effect_Copy -i %o -o %o -mode %s", buffer, buffer, GetParam().mode);
  buffer->main[0] = 5, buffer->main[1] = -7, buffer->main[2] = INT32_MAX;
  graph.process(3);
  EXPECT_EQ(mainOf(buffer, 3), GetParam().result);
}

INSTANTIATE_TEST_SUITE_P(Modes, CopyOntoItself,
                         testing::Values(SelfCase{"set", {5, -7, INT32_MAX}}, SelfCase{"add", {10, -14, -2}},
                                         SelfCase{"stn", {-5, 7, -INT32_MAX}}, SelfCase{"sub", {0, 0, 0}}));

TEST_F(Copy, AnInputStrideOfTwoWritesHalfTheBlock) {
  TestGraph graph(512);
  ZR_Buffer* in = graph.buffer();
  ZR_Buffer* out = graph.buffer();
  graph.make<ZR_Effect_Copy>("ZR_Effect_Copy -i %o -o %o -is 2", in, out);
  std::iota(in->main, in->main + 512, 0);
  std::fill(out->main, out->main + 512, -1);
  graph.process(512);
  for (int32_t i = 0; i < 256; ++i) ASSERT_EQ(out->main[i], 2 * i);
  for (int32_t i = 256; i < 512; ++i) ASSERT_EQ(out->main[i], -1);
}

TEST_F(Copy, WritesThatWouldLeaveTheOutputBlockAreDropped) {
  TestGraph graph(8);
  ZR_Buffer* in = graph.buffer();
  ZR_Buffer* out = graph.buffer();
  ZR_exec("%o -l 5", out);
  ZR_Effect_Copy* node = graph.make<ZR_Effect_Copy>("ZR_Effect_Copy -i %o -o %o -os 2", in, out);
  std::iota(in->main, in->main + 8, 1);
  graph.process(8);
  EXPECT_EQ(mainOf(out, 5), (std::vector<int32_t>{1, 0, 2, 0, 3})) << "three writes fit in five samples";
  int32_t is = 0, os = 0;
  ZR_exec("%o -is 0 -os -1 -is -os", node, &is, &os);
  EXPECT_EQ(is, 1) << "a stride below 1 is refused";
  EXPECT_EQ(os, 2);
}

TEST_F(Copy, AnInputShorterThanItsStrideCopiesNothing) {
  TestGraph graph(3);
  ZR_Buffer* in = graph.buffer();
  ZR_Buffer* out = graph.buffer();
  graph.make<ZR_Effect_Copy>("ZR_Effect_Copy -i %o -o %o -is 4", in, out);
  in->main[0] = 9;
  graph.process(3);
  EXPECT_EQ(out->main[0], 0);
}

}  // namespace
