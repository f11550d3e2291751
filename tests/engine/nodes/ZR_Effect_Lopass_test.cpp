#include "engine/nodes/ZR_Effect_Lopass.h"

#include <gtest/gtest.h>

#include <vector>

#include "TestGraph.h"
#include "engine/ZR_Buffer.h"

namespace {

using Lopass = EngineTest;

struct LopassGraph {
  TestGraph graph{4};
  ZR_Buffer* in = graph.buffer();
  ZR_Buffer* out = graph.buffer();
  ZR_Effect_Lopass* node = graph.make<ZR_Effect_Lopass>("ZR_Effect_Lopass -i %o -o %o", in, out);

  std::vector<int32_t> block(int32_t x, int32_t old = 0) {
    for (int i = 0; i < 4; ++i) in->main[i] = x, out->main[i] = old;
    graph.process(4);
    return std::vector<int32_t>(out->main, out->main + 4);
  }
};

TEST_F(Lopass, CoefficientOfTheWorkedExample) {
  EXPECT_EQ(ZR_Effect_Onepole::coefficientFor(1000, 44100), 535616699u);
  // The factor is 2 pi f / (2 pi f + fs): a half at f = fs / (2 pi).
  EXPECT_NEAR(ZR_Effect_Onepole::coefficientFor(7019, 44100) / 4294967296.0, 0.5, 1e-4);
}

TEST_F(Lopass, WithoutASampleRateItKeepsItsCoefficientAndOutputsItsState) {
  LopassGraph g;
  int32_t f = 0;
  ZR_exec("%o -f 1000 -f", g.node, &f);
  EXPECT_EQ(f, 1000);
  EXPECT_EQ(g.node->coefficient.load(), 0u);
  EXPECT_EQ(g.block(1 << 29), std::vector<int32_t>(4, 0));
  ZR_exec("%o -clock 44100", g.node);
  EXPECT_EQ(g.node->coefficient.load(), 535616699u);
  ZR_exec("%o -f", g.node, &f);
  EXPECT_EQ(f, 1000);
}

TEST_F(Lopass, FrequencyTakesTruncatedRealsAndRefusesNonsense) {
  LopassGraph g;
  ZR_exec("%o -clock 44100 -f 440.9", g.node);
  EXPECT_EQ(g.node->frequency.load(), 440);
  const uint32_t a = g.node->coefficient.load();
  ZR_exec("%o -f -100 -f high -f 1e12", g.node);
  EXPECT_EQ(g.node->frequency.load(), 440) << "negative, non-numeric and out-of-range values are refused";
  ZR_exec("%o -f 0", g.node);
  EXPECT_EQ(g.node->frequency.load(), 0);
  EXPECT_EQ(g.node->coefficient.load(), a) << "a frequency of 0 leaves the coefficient in force";
}

TEST_F(Lopass, SubtractsItsOutputInModeSub) {
  LopassGraph g;
  ZR_exec("%o -clock 44100 -f 1000 -mode sub", g.node);
  const std::vector<int32_t> y = g.block(1 << 29, 1 << 29);
  EXPECT_EQ(g.node->state, (1 << 29) - y[3]);
  EXPECT_GT(y[0], y[3]) << "the low-pass rises, so what it leaves falls";
}

TEST_F(Lopass, ResetStartsTheNextBlockFromZero) {
  LopassGraph g;
  ZR_exec("%o -clock 44100 -f 1000", g.node);
  for (int i = 0; i < 20; ++i) g.block(1 << 30);
  g.node->reset();
  const std::vector<int32_t> y = g.block(1 << 28);
  EXPECT_NEAR(y[0], (1 << 28) * (535616699 / 4294967296.0), 1.0);
}

}  // namespace
