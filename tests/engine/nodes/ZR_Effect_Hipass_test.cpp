#include "engine/nodes/ZR_Effect_Hipass.h"

#include <gtest/gtest.h>

#include <vector>

#include "TestGraph.h"
#include "engine/ZR_Buffer.h"

namespace {

using Hipass = EngineTest;

TEST_F(Hipass, PassesTheInputUntilItHasACoefficient) {
  TestGraph graph(4);
  ZR_Buffer* in = graph.buffer();
  ZR_Buffer* out = graph.buffer();
  ZR_Effect_Hipass* node = graph.make<ZR_Effect_Hipass>("ZR_Effect_Hipass -i %o -o %o -f 1000", in, out);
  for (int i = 0; i < 4; ++i) in->main[i] = 100 * (i + 1);
  graph.process(4);
  EXPECT_EQ(std::vector<int32_t>(out->main, out->main + 4), (std::vector<int32_t>{100, 200, 300, 400}));
  ZR_exec("%o -clock 44100", node);
  EXPECT_EQ(node->coefficient.load(), 535616699u) << "the same coefficient as the low-pass";
}

TEST_F(Hipass, OverwritesItsOutputWhateverItsMode) {
  TestGraph graph(4);
  ZR_Buffer* in = graph.buffer();
  ZR_Buffer* out = graph.buffer();
  graph.make<ZR_Effect_Hipass>("ZR_Effect_Hipass -i %o -o %o -clock 44100 -f 1000 -mode sub", in, out);
  for (int i = 0; i < 4; ++i) in->main[i] = 1 << 29, out->main[i] = 12345;
  graph.process(4);
  const int32_t firstLow = static_cast<int32_t>((int64_t{1 << 29} * 535616699) >> 32);
  EXPECT_NEAR(out->main[0], (1 << 29) - firstLow, 1) << "in - low-pass(in), nothing of the old output";
  EXPECT_LT(out->main[3], out->main[0]) << "a step decays through a high-pass";
}

}  // namespace
