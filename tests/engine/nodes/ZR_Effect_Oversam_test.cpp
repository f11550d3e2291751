#include "engine/nodes/ZR_Effect_Oversam.h"

#include <gtest/gtest.h>

#include <vector>

#include "TestGraph.h"
#include "engine/ZR_Buffer.h"

namespace {

using Oversam = EngineTest;

// Four input samples per block into an output of its own length.
struct OversamGraph {
  TestGraph graph{4};
  ZR_Buffer* in = graph.buffer();
  ZR_Buffer* out;
  ZR_Effect_Oversam* node;

  explicit OversamGraph(int32_t outputLength, const char* command = "ZR_Effect_Oversam -i %o -o %o")
      : out(graph.make<ZR_Buffer>("ZR_Buffer -l %i", outputLength)),
        node(graph.make<ZR_Effect_Oversam>(command, in, out)) {
    graph.end();
  }
  std::vector<int32_t> run(const std::vector<int32_t>& x) {
    for (size_t i = 0; i < x.size(); ++i) in->main[i] = x[i];
    for (int32_t i = 0; i < out->count; ++i) out->main[i] = 12345;
    graph.process(static_cast<int32_t>(x.size()));
    return {out->main, out->main + out->count};
  }
};

// The curve lags two input samples: the first input sample rises from 0 with the slope of the
// second, the third overshoots, and from the fourth on the output holds 8000.
TEST_F(Oversam, AConstant8000FromResetGivesTheInterpolatedStart) {
  OversamGraph g(32);
  EXPECT_EQ(g.run({8000, 8000, 8000, 8000}),
            (std::vector<int32_t>{0,    -434, -744, -930, -992, -930, -744, -434,  //
                                  0,    1000, 2000, 3000, 4000, 5000, 6000, 7000,  //
                                  8000, 8434, 8744, 8930, 8992, 8930, 8744, 8434,  //
                                  8000, 8000, 8000, 8000, 8000, 8000, 8000, 8000}));
  EXPECT_EQ(g.run({8000, 8000, 8000, 8000}), std::vector<int32_t>(32, 8000));
}

TEST_F(Oversam, AnOutputThatFollowsTheBlockLengthReceivesNothing) {
  TestGraph graph(4);
  ZR_Buffer* in = graph.buffer();
  ZR_Buffer* out = graph.buffer();
  graph.make<ZR_Effect_Oversam>("ZR_Effect_Oversam -i %o -o %o", in, out);
  graph.end();
  for (int i = 0; i < 4; ++i) in->main[i] = 8000, out->main[i] = 7;
  graph.process(4);
  EXPECT_EQ(std::vector<int32_t>(out->main, out->main + 4), std::vector<int32_t>(4, 7));
}

TEST_F(Oversam, AnOutputLongerThanEightInputsIsFilledOnlyThatFar) {
  OversamGraph g(40);
  const std::vector<int32_t> y = g.run({8000, 8000, 8000, 8000});
  EXPECT_EQ(y[31], 8000);
  EXPECT_EQ(std::vector<int32_t>(y.begin() + 32, y.end()), std::vector<int32_t>(8, 12345));
}

// Between two full-scale inputs with opposite slopes the curve rises to about 3 2^30: it stops at
// 2^31 - 1 instead of wrapping.
TEST_F(Oversam, ACurveBeyondTheWordSaturates) {
  OversamGraph g(32);
  const std::vector<int32_t> y = g.run({INT32_MIN, INT32_MAX, INT32_MAX, INT32_MIN});
  EXPECT_EQ(y[16], INT32_MIN);
  EXPECT_EQ(y[24], 2147483640);
  for (int i = 25; i < 32; ++i) EXPECT_EQ(y[i], INT32_MAX) << i;
}

TEST_F(Oversam, KIsKeptButTheFactorStaysEight) {
  OversamGraph g(32, "ZR_Effect_Oversam -i %o -o %o -k 4");
  int32_t k = 0;
  ZR_exec("%o -k", g.node, &k);
  EXPECT_EQ(k, 4);
  g.run({8000, 8000, 8000, 8000});
  EXPECT_EQ(g.run({8000, 8000, 8000, 8000}), std::vector<int32_t>(32, 8000));
}

TEST_F(Oversam, ResetClearsTheCurve) {
  OversamGraph g(32);
  g.run({8000, 8000, 8000, 8000});
  ZR_exec("%o -on 0", g.node);
  g.run({8000, 8000, 8000, 8000});
  ZR_exec("%o -on 1", g.node);
  EXPECT_EQ(g.node->p0 | g.node->p1 | g.node->p2 | g.node->m0 | g.node->m1, 0);
}

}  // namespace
