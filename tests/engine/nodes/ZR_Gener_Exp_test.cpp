#include "engine/nodes/ZR_Gener_Exp.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "TestGraph.h"
#include "engine/ZR_Buffer.h"

namespace {

using Exp = EngineTest;

struct ExpGraph {
  TestGraph graph{1000};
  ZR_Buffer* out = graph.buffer();
  ZR_Gener_Exp* node;
  explicit ExpGraph(const char* command) : node(graph.make<ZR_Gener_Exp>(command, out)) { graph.end(); }
  std::vector<int32_t> block(int32_t n) {
    graph.process(n);
    return {out->main, out->main + n};
  }
};

// t = 0.000 to 0.500 hold 2^25; at t = 0.6 the level is e^-1 2^25 truncated, with 0.1 as a float.
TEST_F(Exp, HoldsUntilTheStartThenDecaysWithTheTimeConstant) {
  ExpGraph g("ZR_Gener_Exp -o %o -clock 1000 -beg 0.5 -time 0.1");
  const std::vector<int32_t> y = g.block(1000);
  for (int i = 0; i <= 500; ++i) ASSERT_EQ(y[i], 33554432) << i;
  EXPECT_LT(y[501], 33554432);
  EXPECT_EQ(y[600], 12343985);
  EXPECT_EQ(g.node->counter, 1000);
}

TEST_F(Exp, TheDefaultsDecayFromTheStartWithOneSecond) {
  ExpGraph g("ZR_Gener_Exp -o %o -clock 1000");
  float beg = -1, time = -1;
  ZR_exec("%o -beg -time", g.node, &beg, &time);
  EXPECT_EQ(beg, 0.0f);
  EXPECT_EQ(time, 1.0f);
  const std::vector<int32_t> y = g.block(1000);
  EXPECT_EQ(y[0], 33554432);
  EXPECT_LT(y[1], 33554432);
  g.block(1);
  EXPECT_EQ(g.out->main[0], 12343985) << "one second in";
}

TEST_F(Exp, TheModeDoesNotChangeTheOutput) {
  ExpGraph g("ZR_Gener_Exp -o %o -clock 1000 -beg 0.5 -time 0.1 -mode adn");
  for (int i = 0; i < 1000; ++i) g.out->main[i] = 5;
  EXPECT_EQ(g.block(1000)[600], 12343985);
}

TEST_F(Exp, TheCounterStopsAtItsMaximum) {
  ExpGraph g("ZR_Gener_Exp -o %o -clock 1000 -time 0.1");
  g.node->counter = INT32_MAX - 2;
  const std::vector<int32_t> y = g.block(8);
  EXPECT_EQ(g.node->counter, INT32_MAX);
  EXPECT_EQ(y, std::vector<int32_t>(8, 0)) << "a wrapped counter would start the envelope again";
}

TEST_F(Exp, ResetKeepsTheCountAndRestartBeginsAgain) {
  ExpGraph g("ZR_Gener_Exp -o %o -clock 1000 -beg 0.5 -time 0.1");
  g.block(700);
  ZR_exec("%o -on 0", g.node);
  g.block(10);
  ZR_exec("%o -on 1", g.node);
  g.block(10);
  EXPECT_EQ(g.node->counter, 720) << "switching off and on does not restart the envelope";
  g.node->restart();
  const std::vector<int32_t> y = g.block(601);
  EXPECT_EQ(y[0], 33554432);
  EXPECT_EQ(y[600], 12343985);
}

TEST_F(Exp, ANegativeOrNonFiniteTimeIsRefused) {
  ExpGraph g("ZR_Gener_Exp -o %o -clock 1000 -time 0.1");
  float time = 0;
  ZR_exec("%o -time -1 -time %f -time %f -time", g.node, NAN, INFINITY, &time);
  EXPECT_FLOAT_EQ(time, 0.1f);
  ZR_exec("%o -time 0 -beg 0.0025", g.node);
  EXPECT_EQ(g.block(4), (std::vector<int32_t>{33554432, 33554432, 33554432, 0})) << "time 0 is a step";
}

TEST_F(Exp, WithoutAClockTheBlockIsLeftAlone) {
  ExpGraph g("ZR_Gener_Exp -o %o");
  g.out->main[0] = 7;
  EXPECT_EQ(g.block(1)[0], 7);
  EXPECT_EQ(g.node->counter, 0);
}

}  // namespace
