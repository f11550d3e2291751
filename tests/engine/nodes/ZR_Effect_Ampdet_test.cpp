#include "engine/nodes/ZR_Effect_Ampdet.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "TestGraph.h"
#include "engine/ZR_Buffer.h"

namespace {

using Ampdet = EngineTest;

struct AmpdetGraph {
  TestGraph graph{4};
  ZR_Buffer* in = graph.buffer();
  ZR_Buffer* out = graph.buffer();
  ZR_Buffer* abs = graph.buffer();
  ZR_Effect_Ampdet* node;

  explicit AmpdetGraph(const char* command) : node(graph.make<ZR_Effect_Ampdet>(command, in, out, abs)) {
    graph.end();
  }
  void run(std::vector<int32_t> x, int32_t old = 0) {
    for (size_t i = 0; i < x.size(); ++i) {
      in->main[i] = x[i];
      out->main[i] = old;
      abs->main[i] = old;
    }
    graph.process(static_cast<int32_t>(x.size()));
  }
  std::vector<int32_t> envelope(int32_t n) const { return {out->main, out->main + n}; }
  std::vector<int32_t> magnitudes(int32_t n) const { return {abs->main, abs->main + n}; }
};

struct CoefficientCase {
  float f;
  int32_t fs;
  int32_t c;
};

class AmpdetCoefficient : public testing::TestWithParam<CoefficientCase> {};

// c = f pi 2^31 / (f pi + fs / 2): 1000 Hz at 44.1 kHz is 267808349. A frequency so high that the
// quotient reaches 2^31 gives 2^31 - 1, as 0 does.
TEST_P(AmpdetCoefficient, IsFPiOverFPiPlusHalfTheRate) {
  EXPECT_EQ(ZR_Effect_Ampdet::coefficientFor(GetParam().f, GetParam().fs), GetParam().c);
}

INSTANTIATE_TEST_SUITE_P(Values, AmpdetCoefficient,
                         testing::Values(CoefficientCase{1000, 44100, 267808349},
                                         CoefficientCase{10, 48000, 2807374},
                                         CoefficientCase{0, 44100, INT32_MAX},
                                         CoefficientCase{1e30f, 44100, INT32_MAX},
                                         CoefficientCase{3.4e38f, 1, INT32_MAX}));

TEST_F(Ampdet, CoefficientsFollowTheirFrequencyOnceTheClockIsKnown) {
  AmpdetGraph g("ZR_Effect_Ampdet -i %o -o %o -a %o -f1 1000 -f2 10");
  EXPECT_EQ(g.node->attack, 0) << "no clock yet";
  ZR_exec("%o -clock 44100", g.node);
  EXPECT_EQ(g.node->attack, 267808349);
  EXPECT_EQ(g.node->release, ZR_Effect_Ampdet::coefficientFor(10, 44100));
  ZR_exec("%o -f2 1000", g.node);
  EXPECT_EQ(g.node->release, 267808349);
}

TEST_F(Ampdet, ANegativeOrNonFiniteFrequencyIsRefused) {
  AmpdetGraph g("ZR_Effect_Ampdet -i %o -o %o -a %o -clock 44100 -f1 1000");
  float f = 0;
  ZR_exec("%o -f1 -5 -f1 %f -f1 %f -f1 %f -f1", g.node, NAN, INFINITY, -1.0, &f);
  EXPECT_FLOAT_EQ(f, 1000.0f);
  EXPECT_EQ(g.node->attack, 267808349);
}

TEST_F(Ampdet, AnImmediateAttackReachesTheMagnitudeMinusOne) {
  AmpdetGraph g("ZR_Effect_Ampdet -i %o -o %o -a %o -clock 44100 -f1 0");
  g.run({5000, -1000, 1 << 30, 7});
  EXPECT_EQ(g.envelope(1)[0], 4999);
  EXPECT_EQ(g.magnitudes(4), (std::vector<int32_t>{5000, 1000, 1 << 30, 7}));
  EXPECT_EQ(g.envelope(4)[2], (1 << 30) - 1);
}

TEST_F(Ampdet, WithoutAnEnvelopeOutputOnlyMagnitudesAreWrittenAndTheEnvelopeRests) {
  AmpdetGraph g("ZR_Effect_Ampdet -i %o -o %o -a %o -clock 44100 -f1 0");
  g.run({5000});
  ZR_exec("%o -o 0", g.node);
  g.run({-9000, 20000}, 3);
  EXPECT_EQ(g.magnitudes(2), (std::vector<int32_t>{9000, 20000}));
  EXPECT_EQ(g.envelope(2), (std::vector<int32_t>{3, 3})) << "the buffer is no longer the node's";
  EXPECT_EQ(g.node->envelope, 4999);
}

TEST_F(Ampdet, TheEnvelopeIsMergedInTheOutputMode) {
  AmpdetGraph g("ZR_Effect_Ampdet -i %o -o %o -a %o -clock 44100 -f1 0 -mode sub");
  g.run({5000}, 100);
  EXPECT_EQ(g.envelope(1)[0], 100 - 4999);
  EXPECT_EQ(g.magnitudes(1)[0], 5000) << "magnitudes are written as they are";
}

TEST_F(Ampdet, ResetClearsTheEnvelope) {
  AmpdetGraph g("ZR_Effect_Ampdet -i %o -o %o -a %o -clock 44100 -f1 0");
  g.run({5000});
  ZR_exec("%o -on 0", g.node);
  g.run({0});
  EXPECT_EQ(g.node->envelope, 0);
}

}  // namespace
