#include "engine/nodes/ZR_Effect_Freqmul.h"

#include <gtest/gtest.h>

#include <vector>

#include "NodeRig.h"
#include "TestGraph.h"
#include "TestSignal.h"
#include "engine/ZR_Buffer.h"

namespace {

using Freqmul = EngineTest;

// Rising zero crossings in y[from..].
int risingCrossings(const std::vector<int32_t>& y, size_t from) {
  int count = 0;
  for (size_t i = from + 1; i < y.size(); ++i) count += y[i - 1] < 0 && y[i] >= 0;
  return count;
}

// A square wave of the given period, starting with its negative half.
std::vector<int32_t> square(size_t n, size_t period, int32_t amplitude) {
  std::vector<int32_t> x(n);
  for (size_t i = 0; i < n; ++i) x[i] = i % period < period / 2 ? -amplitude : amplitude;
  return x;
}

// k = 1 writes every period once: the ring is read one entry per sample, n + fs 0.02 + 1 behind
// (fs 0.02 is 882 at 44.1 kHz in single precision).
TEST_F(Freqmul, KOnePassesTheInputDelayedByTheBlockAndTheDelay) {
  NodeRig rig("ZR_Effect_Freqmul -i %o -o %o -clock 44100 -k 1");
  const std::vector<int32_t> x = testNoise(8192, 5, 1 << 30);
  const std::vector<int32_t> y = rig.run(x, 512);
  const size_t delay = 512 + 883;
  for (size_t i = 0; i < delay; ++i) ASSERT_EQ(y[i], 0) << i;
  for (size_t i = delay; i < y.size(); ++i) ASSERT_EQ(y[i], x[i - delay]) << i;
}

TEST_F(Freqmul, KTwoDoublesTheFrequencyOfASquareWave) {
  NodeRig rig("ZR_Effect_Freqmul -i %o -o %o -clock 44100");
  EXPECT_EQ(rig.integer("k"), 2) << "the default";
  const std::vector<int32_t> x = square(44100, 441, 1 << 29);
  const std::vector<int32_t> y = rig.run(x, 512);
  EXPECT_EQ(risingCrossings(x, 22050), 50);
  EXPECT_NEAR(risingCrossings(y, 22050), 100, 1) << "100 Hz in, 200 Hz out";
}

TEST_F(Freqmul, AFactorBelowOneIsRefused) {
  NodeRig rig("ZR_Effect_Freqmul -i %o -o %o -k 3");
  ZR_exec("%o -k 0 -k -5 -k %f", rig.node, 0.5);
  EXPECT_EQ(rig.integer("k"), 3);
  ZR_exec("%o -k 4.9", rig.node);
  EXPECT_EQ(rig.integer("k"), 4);
}

// A huge k would copy each period billions of times; one ring per crossing is all that can matter,
// and the block finishes. Everything read is still a sample of the input.
TEST_F(Freqmul, AHugeFactorCopiesAtMostOneRingPerCrossing) {
  NodeRig rig("ZR_Effect_Freqmul -i %o -o %o -clock 44100 -k 2147483647");
  const std::vector<int32_t> y = rig.run(square(8192, 64, 1000), 512);
  for (int32_t v : y) ASSERT_TRUE(v == 1000 || v == -1000 || v == 0) << v;
}

// The input is read through the effect base, so an upstream node switched off fades out here too:
// a constant added by a node that is switched off ramps down over its last block.
TEST_F(Freqmul, AnUpstreamSwitchFadesThroughTheMultiplier) {
  TestGraph graph(100);
  ZR_Buffer* in = graph.buffer();
  ZR_Buffer* out = graph.buffer();
  ZR_Object* koef = graph.make<ZR_Object>("ZR_Effect_Koef -i %o -o %o -oper add -k 1.0 -mode set", in, in);
  graph.make<ZR_Object>("ZR_Effect_Freqmul -i %o -o %o -clock 44100 -k 1", in, out);
  graph.end();
  std::vector<int32_t> y;
  for (int block = 0; block < 14; ++block) {
    if (block == 2) ZR_exec("%o -on 0", koef);
    std::fill(in->main, in->main + 100, 0);
    graph.process(100);
    y.insert(y.end(), out->main, out->main + 100);
  }
  const size_t delay = 100 + 883;
  EXPECT_EQ(y[delay + 199], 16909320) << "the constant before the switch";
  EXPECT_EQ(y[delay + 250], 16909320 / 2) << "half way through the fade";
  EXPECT_EQ(y[delay + 300], 0);
}

}  // namespace
