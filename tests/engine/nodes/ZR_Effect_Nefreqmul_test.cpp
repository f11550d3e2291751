#include "engine/nodes/ZR_Effect_Nefreqmul.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "NodeRig.h"
#include "TestSignal.h"
#include "engine/ZR_Buffer.h"

namespace {

using Nefreqmul = EngineTest;

int risingCrossings(const std::vector<int32_t>& y, size_t from) {
  int count = 0;
  for (size_t i = from + 1; i < y.size(); ++i) count += y[i - 1] < 0 && y[i] >= 0;
  return count;
}

// With k = 1 nothing is repeated and the ring is read fs 0.02 + 1 samples behind, whatever the
// block length.
TEST_F(Nefreqmul, KOnePassesTheInputDelayedByTheDelay) {
  NodeRig rig("ZR_Effect_Nefreqmul -i %o -o %o -clock 44100 -k 1");
  const std::vector<int32_t> x = testNoise(8192, 6, 1 << 30);
  const std::vector<int32_t> y = rig.run(x, 512);
  for (size_t i = 883; i < y.size(); ++i) ASSERT_EQ(y[i], x[i - 883]) << i;
}

TEST_F(Nefreqmul, KTwoDoublesTheFrequencyOfASine) {
  NodeRig rig("ZR_Effect_Nefreqmul -i %o -o %o -clock 44100");
  const std::vector<int32_t> x = testSine(44100, 100, 44100, 1 << 29);
  const std::vector<int32_t> y = rig.run(x, 512);
  EXPECT_NEAR(risingCrossings(y, 22050), 100, 1) << "100 Hz in, 200 Hz out";
  EXPECT_GT(fittedAmplitude(y, 22050, 200, 44100), 0.5 * (1 << 29));
}

TEST_F(Nefreqmul, MergesInTheOutputMode) {
  NodeRig set("ZR_Effect_Nefreqmul -i %o -o %o -clock 44100 -k 1");
  NodeRig sub("ZR_Effect_Nefreqmul -i %o -o %o -clock 44100 -k 1 -mode sub");
  const std::vector<int32_t> x = testNoise(2048, 7, 1 << 29);
  const std::vector<int32_t> y = set.run(x, 512);
  std::vector<int32_t> z;
  for (size_t done = 0; done < x.size(); done += 512) {
    std::copy(x.begin() + done, x.begin() + done + 512, sub.in->main);
    std::fill(sub.out->main, sub.out->main + 512, 1000);
    sub.graph.process(512);
    z.insert(z.end(), sub.out->main, sub.out->main + 512);
  }
  for (size_t i = 0; i < z.size(); ++i) ASSERT_EQ(z[i], 1000 - y[i]) << i;
}

TEST_F(Nefreqmul, OptionsKeepTheirValues) {
  NodeRig rig("ZR_Effect_Nefreqmul -i %o -o %o");
  EXPECT_FLOAT_EQ(rig.real("rand"), 0.6f);
  EXPECT_FLOAT_EQ(rig.real("stab"), 0.7f);
  ZR_exec("%o -rand 0.5 -stab 1 -k 3 -k 0", rig.node);
  EXPECT_FLOAT_EQ(rig.real("rand"), 0.5f);
  EXPECT_FLOAT_EQ(rig.real("stab"), 1.0f);
  EXPECT_EQ(rig.integer("k"), 3) << "a factor below 1 is refused";
}

TEST_F(Nefreqmul, AHugeFactorFinishesTheBlock) {
  NodeRig rig("ZR_Effect_Nefreqmul -i %o -o %o -clock 44100 -k 2147483647");
  const std::vector<int32_t> y = rig.run(testSine(8192, 700, 44100, 1 << 29), 512);
  EXPECT_NE(y, std::vector<int32_t>(y.size(), 0));
}

TEST_F(Nefreqmul, ResetClearsTheRing) {
  NodeRig rig("ZR_Effect_Nefreqmul -i %o -o %o -clock 44100 -k 1");
  rig.run(std::vector<int32_t>(2048, 1 << 30), 512);
  ZR_exec("%o -on 0", rig.node);
  rig.run(1, 0);
  ZR_exec("%o -on 1", rig.node);
  rig.run(1, 0);
  const std::vector<int32_t> y = rig.run(std::vector<int32_t>(512, 0), 512);
  EXPECT_EQ(y, std::vector<int32_t>(512, 0));
}

}  // namespace
