#include "engine/nodes/ZR_Fourier_Noisegate.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "TestGraph.h"
#include "TestSignal.h"
#include "engine/ZR_Buffer.h"
#include "engine/ZR_Soundpipe.h"

namespace {

using Noisegate = EngineTest;

// A gate on an input spectrum of 16 words (N = 8) and a signal that follows the block length.
struct GateGraph {
  explicit GateGraph(int32_t block = 8, int32_t spectrumLength = 16) : graph(block) {
    spectrum = graph.make<ZR_Buffer>("ZR_Buffer -l %i", spectrumLength);
    signal = graph.buffer();
    out1 = graph.make<ZR_Buffer>("ZR_Buffer -l %i", spectrumLength);
    out2 = graph.make<ZR_Buffer>("ZR_Buffer -l %i", spectrumLength);
    gate = graph.make<ZR_Fourier_Noisegate>("ZR_Fourier_Noisegate -i %o -s %o -o1 %o -o2 %o", spectrum,
                                            signal, out1, out2);
    graph.end();
  }
  void block(int32_t value, int32_t n = 8) {
    std::fill(signal->main, signal->main + n, value);
    graph.process(n);
  }
  std::vector<int32_t> gains() const {
    return std::vector<int32_t>(gate->gainSpectrum->main,
                                gate->gainSpectrum->main + gate->gainSpectrum->count);
  }
  std::vector<int32_t> profile() const {
    return std::vector<int32_t>(gate->noiseProfile->main,
                                gate->noiseProfile->main + gate->noiseProfile->count);
  }

  TestGraph graph;
  ZR_Buffer* spectrum;
  ZR_Buffer* signal;
  ZR_Buffer* out1;
  ZR_Buffer* out2;
  ZR_Fourier_Noisegate* gate;
};

std::vector<int32_t> unityGains(int32_t n) {
  std::vector<int32_t> g(static_cast<size_t>(2 * n), 0);
  for (int32_t m = 0; m < n; ++m) g[static_cast<size_t>(2 * m)] = 2097151;
  return g;
}

TEST_F(Noisegate, AnInputSizesEverythingAndStartsAtUnityGain) {
  GateGraph g;
  EXPECT_EQ(g.gains(), unityGains(8));
  EXPECT_EQ(g.profile(), std::vector<int32_t>(5, 0));
  for (const ZR_Fourier_Transform* t : {&g.gate->impulse, &g.gate->firstHalf, &g.gate->secondHalf,
                                        &g.gate->analysis, &g.gate->delayedTransform})
    EXPECT_EQ(t->size(), 8);
}

TEST_F(Noisegate, InputLengthsOtherThanPowersOfTwoFrom4To2048AreRefused) {
  GateGraph g;
  for (const int32_t length : {0, 1, 2, 3, 6, 12, 4096}) {
    TestGraph other(8);
    ZR_Buffer* buffer = other.make<ZR_Buffer>("ZR_Buffer -l %i", length);
    other.end();
    ZR_exec("%o -i %o", g.gate, buffer);
    EXPECT_EQ(g.gate->inputSpectrum, g.spectrum) << length;
    EXPECT_EQ(g.gate->impulse.size(), 8) << length;
    EXPECT_EQ(g.gate->gainSpectrum->count, 16) << length;
  }
  for (const int32_t length : {4, 2048}) {
    TestGraph other(8);
    ZR_Buffer* buffer = other.make<ZR_Buffer>("ZR_Buffer -l %i", length);
    other.end();
    ZR_exec("%o -i %o", g.gate, buffer);
    EXPECT_EQ(g.gate->inputSpectrum, buffer) << length;
    EXPECT_EQ(g.gate->impulse.size(), length / 2) << length;
    EXPECT_EQ(g.gate->noiseProfile->count, length / 4 + 1) << length;
    ZR_exec("%o -i %o", g.gate, g.spectrum);
  }
}

TEST_F(Noisegate, WithoutAdaptAndNoiseProfileEveryGainStaysOne) {
  GateGraph g;
  const std::vector<int32_t> noise = testNoise(8, 5, 1 << 28);
  std::copy(noise.begin(), noise.end(), g.signal->main);
  g.graph.process(8);
  g.block(0);
  EXPECT_EQ(g.gains(), unityGains(8));
}

TEST_F(Noisegate, AdaptLearnsTheLevelAndGatesWhatStaysBelowIt) {
  GateGraph g;
  ZR_exec("%o -a 1", g.gate);
  // The windowed spectrum of eight samples of 1000 has the magnitudes 499, 250, 0, 0, 0 in bins 0 to 4.
  g.block(1000);
  EXPECT_EQ(g.profile(), (std::vector<int32_t>{49, 25, 0, 0, 0}));
  g.block(1000);
  EXPECT_EQ(g.profile(), (std::vector<int32_t>{94, 47, 0, 0, 0}));
  EXPECT_EQ(g.gains()[0], 1891219);  // (499 - 49) / 499 of unity
  EXPECT_EQ(g.gains()[2], 1887436);  // (250 - 25) / 250
  EXPECT_EQ(g.gains()[14], 1887436) << "the curve is mirrored";
  ZR_exec("%o -a 0", g.gate);
  g.block(0);
  EXPECT_EQ(g.profile(), (std::vector<int32_t>{94, 47, 0, 0, 0})) << "kept while adapt is off";
  EXPECT_EQ(g.gains()[0], 0);
  EXPECT_EQ(g.gains()[2], 0);
  EXPECT_EQ(g.gains()[14], 0);
  EXPECT_EQ(g.gains()[4], 2097151) << "a bin of no noise and no signal passes";
}

// At unity gain the filter passes the spectrum (within the fixed-point losses); output 1 still
// uses the filter of the block before, which is empty in the first block.
TEST_F(Noisegate, OutputTwoUsesThisBlocksFilterAndOutputOneThePrevious) {
  GateGraph g;
  const std::vector<int32_t> x = {900, 0, -300, 200, 50, -50, 0, 700, -1000, 0, 0, -700, 50, 50, -300, -200};
  std::copy(x.begin(), x.end(), g.spectrum->main);
  g.block(0);
  for (size_t k = 0; k < x.size(); ++k) {
    EXPECT_EQ(g.out1->main[k], 0) << k;
    EXPECT_LE(std::abs(g.out2->main[k] - x[k]), 2) << k;
  }
  g.block(0);
  for (size_t k = 0; k < x.size(); ++k) EXPECT_LE(std::abs(g.out1->main[k] - x[k]), 2) << k;
}

TEST_F(Noisegate, BuiltInASoundpipeItsDelayAdvancesOncePerBlock) {
  GateGraph g;
  EXPECT_EQ(g.graph.pipe()->effects.count, 1) << "only the gate is in the chain";
  for (int32_t block = 0; block < 3; ++block) g.block(1000);
  EXPECT_EQ(g.gate->delay.position, 65536 - 3 * 8);
  EXPECT_EQ(g.gate->analysis.history->position, 0) << "eight samples per block into a ring of eight";
}

TEST_F(Noisegate, TheDelayedSignalIs512SamplesLate) {
  GateGraph g(64, 16);
  g.signal->main[0] = 1 << 20;
  g.graph.process(64);
  int32_t found = -1;
  for (int32_t block = 1; block < 10 && found < 0; ++block) {
    g.block(0, 64);
    for (int32_t i = 0; i < 64 && found < 0; ++i)
      if (g.gate->delayed->main[i] != 0) found = block * 64 + i;
  }
  EXPECT_EQ(found, 513) << "a tap of 512 delays by 513";
}

TEST_F(Noisegate, ResetReachesTheInternalNodes) {
  GateGraph g;
  for (int32_t block = 0; block < 4; ++block) g.block(1000);
  g.graph.pipe()->clear();
  const int32_t* memory = g.gate->delay.memory.get();
  EXPECT_EQ(std::count(memory, memory + 65536, 0), 65536);
  const ZR_Buffer* ring = g.gate->analysis.history;
  EXPECT_EQ(std::count(ring->main, ring->main + ring->count, 0), ring->count);
}

TEST_F(Noisegate, WithoutASignalTheBlockIsSkipped) {
  GateGraph g;
  ZR_exec("%o -s 0", g.gate);
  std::fill(g.out2->main, g.out2->main + 16, 321);
  g.graph.process(8);
  EXPECT_EQ(std::vector<int32_t>(g.out2->main, g.out2->main + 16), std::vector<int32_t>(16, 321));
}

TEST_F(Noisegate, AQueriedOutputIsMadeOnceAtTheInputsLength) {
  TestGraph graph(8);
  ZR_Buffer* spectrum = graph.make<ZR_Buffer>("ZR_Buffer -l 32");
  ZR_Fourier_Noisegate* gate = graph.make<ZR_Fourier_Noisegate>("ZR_Fourier_Noisegate -i %o", spectrum);
  graph.end();
  ZR_Buffer* first = nullptr;
  ZR_Buffer* second = nullptr;
  ZR_exec("%o -o1 -o1", gate, &first, &second);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first, second);
  EXPECT_EQ(first->count, 32);
}

}  // namespace
