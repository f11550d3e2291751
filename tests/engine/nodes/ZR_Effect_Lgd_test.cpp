#include "engine/nodes/ZR_Effect_Lgd.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "NodeRig.h"

namespace {

using Lgd = EngineTest;

ZR_Effect_Lgd* lgd(NodeRig& rig) { return static_cast<ZR_Effect_Lgd*>(rig.node); }

TEST_F(Lgd, ASignalBelowTheThresholdPassesUnchanged) {
  NodeRig rig("ZR_Effect_Lgd -i %o -o %o");
  const std::vector<int32_t> x = {0, 1000, -(1 << 30), 214748364, -5};
  EXPECT_EQ(rig.run(x), x) << "c = 0.1 is 214748364.8 in samples";
  EXPECT_EQ(lgd(rig)->level, 0);
}

// A long run at 0.5 raises the level and pulls the output down to c 2^31; the first sample still
// passes (s = 0), and the level never goes below 0 once the signal falls away.
TEST_F(Lgd, ALongRunAboveTheThresholdIsPulledTowardIt) {
  NodeRig rig("ZR_Effect_Lgd -i %o -o %o");
  const std::vector<int32_t> y = rig.run(std::vector<int32_t>(20000, 1 << 30));
  EXPECT_EQ(y[0], 1 << 30);
  for (size_t i = 1; i < y.size(); ++i) ASSERT_LE(y[i], y[i - 1]) << i;
  EXPECT_NEAR(y.back(), 214748364.8, 20000);
  EXPECT_GT(lgd(rig)->level, 100);
  const std::vector<int32_t> after = rig.run(std::vector<int32_t>(20000, -(1 << 30)));
  EXPECT_EQ(lgd(rig)->level, 0);
  EXPECT_EQ(after.back(), -(1 << 30)) << "with the level back at 0 the signal passes again";
}

// c = -4 pulls the output toward -4 2^31, which no sample holds: it saturates instead of wrapping
// to a positive sample.
TEST_F(Lgd, AThresholdBeyondFullScaleSaturatesTheOutput) {
  NodeRig rig("ZR_Effect_Lgd -i %o -o %o -c -4.0");
  const std::vector<int32_t> y = rig.run(std::vector<int32_t>(64, 0));
  EXPECT_EQ(y[0], 0);
  for (size_t i = 1; i < y.size(); ++i) ASSERT_EQ(y[i], INT32_MIN) << i;
}

TEST_F(Lgd, ANonFiniteThresholdIsRefused) {
  NodeRig rig("ZR_Effect_Lgd -i %o -o %o");
  EXPECT_FLOAT_EQ(rig.real("c"), 0.1f);
  ZR_exec("%o -c 2", rig.node);
  EXPECT_FLOAT_EQ(rig.real("c"), 2.0f) << "an integer is taken as that number";
  ZR_exec("%o -c %f -c %f -c %f", rig.node, NAN, INFINITY, -INFINITY);
  EXPECT_FLOAT_EQ(rig.real("c"), 2.0f);
}

TEST_F(Lgd, ResetClearsTheLevel) {
  NodeRig rig("ZR_Effect_Lgd -i %o -o %o");
  rig.run(std::vector<int32_t>(100, 1 << 30));
  ASSERT_GT(lgd(rig)->level, 0);
  ZR_exec("%o -on 0", rig.node);
  rig.run(std::vector<int32_t>(8, 0));
  EXPECT_EQ(lgd(rig)->level, 0);
}

}  // namespace
