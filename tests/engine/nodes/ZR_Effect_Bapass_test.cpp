#include "engine/nodes/ZR_Effect_Bapass.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "TestGraph.h"
#include "TestSignal.h"
#include "engine/ZR_Buffer.h"

namespace {

using Bapass = EngineTest;

struct BapassGraph {
  explicit BapassGraph(int32_t block = 64) : graph(block) {}
  TestGraph graph;
  ZR_Buffer* in = graph.buffer();
  ZR_Buffer* out = graph.buffer();
  ZR_Effect_Bapass* node = graph.make<ZR_Effect_Bapass>("ZR_Effect_Bapass -i %o -o %o -clock 44100", in, out);

  std::vector<int32_t> block(const std::vector<int32_t>& x, int32_t old = 0) {
    for (size_t i = 0; i < x.size(); ++i) in->main[i] = x[i], out->main[i] = old;
    graph.process(static_cast<int32_t>(x.size()));
    return std::vector<int32_t>(out->main, out->main + x.size());
  }
  void expectCoefficients(int32_t c1, int32_t c2, int32_t c3) {
    EXPECT_EQ(node->c1.load(), c1);
    EXPECT_EQ(node->c2.load(), c2);
    EXPECT_EQ(node->c3.load(), c3);
  }
};

TEST_F(Bapass, CoefficientsOfTheWorkedExample) {
  BapassGraph g;
  ZR_exec("%o -q .618 -f 1000", g.node);
  EXPECT_NEAR(g.node->c1f.load(), 0.151966, 1e-6);
  EXPECT_NEAR(g.node->c2f.load(), 0.133016, 1e-6);
  EXPECT_NEAR(g.node->c3f.load(), 0.066508, 1e-6);
  g.expectCoefficients(163171937, 285650572, 142825286);
  EXPECT_NEAR(g.node->c2.load(), 2 * g.node->c3.load(), 1);
}

TEST_F(Bapass, InvalidParametersLeaveTheCoefficientsInForce) {
  BapassGraph g;
  ZR_exec("%o -q .618 -f 1000", g.node);
  ZR_exec("%o -q 1.0", g.node);
  ZR_exec("%o -q 0.0", g.node);
  g.expectCoefficients(163171937, 285650572, 142825286);
  ZR_exec("%o -q .618 -f 0", g.node);
  ZR_exec("%o -clock 0 -f 3000", g.node);
  g.expectCoefficients(163171937, 285650572, 142825286);
}

TEST_F(Bapass, RefusedValuesChangeNothing) {
  BapassGraph g;
  ZR_exec("%o -q .618 -f 1000", g.node);
  float f = 0, q = 0;
  ZR_exec("%o -f -50 -f loud -q -0.5 -q narrow -f -q", g.node, &f, &q);
  EXPECT_EQ(f, 1000.0f);
  EXPECT_EQ(q, 0.618f);
  g.expectCoefficients(163171937, 285650572, 142825286);
}

// q and 1/q name the same band: its edges f q and f / q only change places.
TEST_F(Bapass, ARatioAboveOneNamesTheSameBand) {
  BapassGraph narrow, wide;
  ZR_exec("%o -q 0.5 -f 1000", narrow.node);
  ZR_exec("%o -q 2.0 -f 1000", wide.node);
  EXPECT_EQ(wide.node->c1.load(), narrow.node->c1.load());
  EXPECT_EQ(wide.node->c3.load(), narrow.node->c3.load());
  BapassGraph integer;
  ZR_exec("%o -q 2 -f 1000", integer.node);
  EXPECT_EQ(integer.node->ratio.load(), 2.0f) << "an integer ratio is taken as that number";
  EXPECT_EQ(integer.node->c1.load(), narrow.node->c1.load());
}

// Near Nyquist c1 exceeds the 32-bit range; it saturates instead of wrapping to a negative value.
TEST_F(Bapass, AnOversizedCoefficientSaturates) {
  BapassGraph g;
  ZR_exec("%o -q .618 -f 9900", g.node);
  EXPECT_LT(g.node->c1.load(), INT32_MAX);
  EXPECT_GT(g.node->c1.load(), 2140000000);
  ZR_exec("%o -f 10000", g.node);
  EXPECT_EQ(g.node->c1.load(), INT32_MAX);
  EXPECT_GT(g.node->c1f.load(), 2.0) << "the floating form keeps the exact value";
  EXPECT_GT(g.node->c3.load(), 0);
}

TEST_F(Bapass, FormSwitchesOnlyOnTheExactTextFloating) {
  BapassGraph g;
  const char* form = nullptr;
  ZR_exec("%o -a floating -a", g.node, &form);
  EXPECT_STREQ(form, "floating");
  ZR_exec("%o -a 1 -a", g.node, &form);
  EXPECT_STREQ(form, "floating") << "a value that is not a text changes nothing";
  ZR_exec("%o -a Floating -a", g.node, &form);
  EXPECT_STREQ(form, "integer");
}

TEST_F(Bapass, ImpulseGivesTheWorkedFirstSample) {
  BapassGraph g;
  ZR_exec("%o -q .618 -f 1000", g.node);
  std::vector<int32_t> x(8, 0);
  x[0] = 1 << 24;
  EXPECT_EQ(g.block(x)[0], 1115822);
}

TEST_F(Bapass, SubSubtractsFromTheBufferAndSetOverwritesIt) {
  BapassGraph set, sub;
  ZR_exec("%o -q .618 -f 1000", set.node);
  ZR_exec("%o -q .618 -f 1000 -mode sub", sub.node);
  const std::vector<int32_t> x = testNoise(64, 1, 1 << 29);
  const std::vector<int32_t> y = set.block(x, 777);
  const std::vector<int32_t> rest = sub.block(x, 777);
  for (size_t i = 0; i < x.size(); ++i) ASSERT_EQ(rest[i], 777 - y[i]) << i;
}

TEST_F(Bapass, ResetSilencesBothForms) {
  for (const char* form : {"integer", "floating"}) {
    BapassGraph g;
    ZR_exec("%o -q .618 -f 1000 -a %s", g.node, form);
    g.block(testNoise(64, 2, 1 << 30));
    g.node->reset();
    EXPECT_EQ(g.block(std::vector<int32_t>(64, 0)), std::vector<int32_t>(64, 0)) << form;
  }
}

TEST_F(Bapass, TheFloatingFormRunsTheSameRecursion) {
  BapassGraph integer, floating;
  ZR_exec("%o -q .618 -f 1000", integer.node);
  ZR_exec("%o -q .618 -f 1000 -a floating", floating.node);
  double worst = 0;
  for (int b = 0; b < 20; ++b) {
    const std::vector<int32_t> x = testNoise(64, 10 + b, 1 << 29);
    const std::vector<int32_t> yi = integer.block(x), yf = floating.block(x);
    for (size_t i = 0; i < x.size(); ++i)
      worst = std::max(worst, std::fabs(static_cast<double>(yi[i]) - yf[i]));
  }
  EXPECT_LT(worst, 64.0) << "only the floors of the integer form separate them";
}

// The floating form merges in double precision, in all six modes.
TEST_F(Bapass, TheFloatingFormHasAllSixModes) {
  const char* modes[] = {"set", "add", "sub", "stn", "adn", "sbn"};
  BapassGraph reference;
  ZR_exec("%o -q .618 -f 1000 -a floating", reference.node);
  const std::vector<int32_t> x = testNoise(64, 3, 1 << 29);
  const std::vector<int32_t> y = reference.block(x);
  const int32_t old = 1000;
  for (int m = 0; m < 6; ++m) {
    BapassGraph g;
    ZR_exec("%o -q .618 -f 1000 -a floating -mode %s", g.node, modes[m]);
    const std::vector<int32_t> out = g.block(x, old);
    for (size_t i = 0; i < x.size(); ++i) {
      const int64_t expected[6] = {y[i],           old + int64_t{y[i]},    old - int64_t{y[i]},
                                   -int64_t{y[i]}, -(old + int64_t{y[i]}), y[i] - int64_t{old}};
      ASSERT_NEAR(out[i], expected[m], 1)
          << modes[m] << " sample " << i << " (one unit: truncation after the merge)";
    }
    EXPECT_EQ(g.node->y1f, reference.node->y1f) << "the state never sees the merge";
  }
}

TEST_F(Bapass, IntegerStnWritesMinusYAndKeepsPlusY) {
  BapassGraph set, stn;
  ZR_exec("%o -q .618 -f 1000", set.node);
  ZR_exec("%o -q .618 -f 1000 -mode stn", stn.node);
  const std::vector<int32_t> x = testNoise(64, 4, 1 << 29);
  const std::vector<int32_t> y = set.block(x), minus = stn.block(x);
  for (size_t i = 0; i < x.size(); ++i) ASSERT_EQ(minus[i], -y[i]);
  EXPECT_EQ(stn.node->y1, set.node->y1);
}

// The kernels never fail; a status is still kept and printed once, should one ever come back.
class ReportingBapass : public ZR_Effect_Bapass {
 public:
  using ZR_Effect_Bapass::reportStatus;
};

TEST_F(Bapass, AKernelStatusIsReportedOnce) {
  ReportingBapass node;
  testing::internal::CaptureStdout();
  node.reportStatus(0);
  node.reportStatus(-7);
  node.reportStatus(3);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "ZR_Effect_Bapass error -7\n");
  EXPECT_EQ(node.errorCode, -7);
}

}  // namespace
