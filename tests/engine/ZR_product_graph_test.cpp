// The product's third-order low-pass as the engine runs it: its response, its stability at the top
// of the knob, its independence of block lengths and its on/off switch (its exact output is
// recorded through the application, tests/app).
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <thread>
#include <vector>

#include "ProductGraph.h"
#include "TestSignal.h"
#include "engine/ZR_Buffer.h"
#include "engine/ZR_Soundpipe.h"
#include "engine/nodes/ZR_Effect_Bapass.h"
#include "engine/nodes/ZR_Effect_Lopass.h"

namespace {

using ProductResponse = EngineTest;

constexpr double kAmplitude = 1 << 29;  // half of full scale

// The gain at one frequency in dB: a steady sine, a fit after one second of settling.
double gainDb(int32_t rate, float cutoff, double frequency) {
  ProductGraph graph(rate, cutoff);
  const std::vector<int32_t> y =
      graph.run(testSine(2 * static_cast<size_t>(rate), frequency, rate, kAmplitude));
  return 20 * std::log10(fittedAmplitude(y, static_cast<size_t>(rate), frequency, rate) / kAmplitude);
}

TEST_F(ProductResponse, ThirdOrderAtAHundredHertz) {
  const double atCutoff = gainDb(44100, 100, 100);
  const double at2f = gainDb(44100, 100, 200), at4f = gainDb(44100, 100, 400);
  std::printf("44.1 kHz, f = 100 Hz: %.2f dB at f, %.2f dB at 2f, %.2f dB at 4f, %.2f dB/octave\n", atCutoff,
              at2f, at4f, at4f - at2f);
  EXPECT_NEAR(atCutoff, -3.0, 0.1);
  EXPECT_NEAR(at4f - at2f, -17.0, 0.5);
  EXPECT_NEAR(gainDb(44100, 100, 20), 0.0, 0.05) << "flat in the passband";
}

// The first-order section keeps a residue near Nyquist that the band-pass does not cancel, so the
// stopband of a high cutoff levels off: the design's own character.
TEST_F(ProductResponse, AtAThousandHertzTheStopbandLevelsOff) {
  const double atCutoff = gainDb(44100, 1000, 1000);
  const double at8k = gainDb(44100, 1000, 8000), at16k = gainDb(44100, 1000, 16000),
               at20k = gainDb(44100, 1000, 20000);
  std::printf("44.1 kHz, f = 1000 Hz: %.2f dB at f; %.2f, %.2f, %.2f dB at 8, 16, 20 kHz\n", atCutoff, at8k,
              at16k, at20k);
  EXPECT_NEAR(atCutoff, -3.3, 0.1);
  EXPECT_NEAR(at16k, -23.5, 0.5);
  EXPECT_NEAR(at20k, at16k, 0.5) << "level";
}

// Above about 9926 Hz c1 no longer fits 32 bits; saturated, the recursion stays stable and the
// graph's level stays about what it is just below.
TEST_F(ProductResponse, StableAtTheTopOfTheKnob) {
  const std::vector<int32_t> x = testNoise(88200, 5, 1 << 30);
  auto rms = [&](float cutoff, int32_t* peak) {
    ProductGraph graph(44100, cutoff);
    const std::vector<int32_t> y = graph.run(x);
    double sum = 0;
    *peak = 0;
    for (int32_t v : y) sum += static_cast<double>(v) * v, *peak = std::max(*peak, v < 0 ? -v : v);
    return std::sqrt(sum / static_cast<double>(y.size()));
  };
  int32_t peak9900 = 0, peak10000 = 0;
  const double rms9900 = rms(9900, &peak9900), rms10000 = rms(10000, &peak10000);
  std::printf("44.1 kHz noise: rms %.0f at 9900 Hz, %.0f at 10000 Hz; peaks %d, %d\n", rms9900, rms10000,
              peak9900, peak10000);
  EXPECT_NEAR(20 * std::log10(rms10000 / rms9900), 0.0, 1.0);
  EXPECT_LT(peak10000, 3 << 29) << "bounded output for bounded input";
}

TEST_F(ProductResponse, BlockLengthsDoNotChangeTheOutput) {
  const std::vector<int32_t> x = testNoise(4096, 6, 1 << 30);
  ProductGraph whole(44100, 1500);
  const std::vector<int32_t> reference = whole.run(x);
  ProductGraph split(44100, 1500);
  std::vector<int32_t> y(x.size());
  forRandomBlocks(x.size(), 8,
                  [&](size_t done, int32_t n) { split.block(x.data() + done, y.data() + done, n); });
  EXPECT_EQ(y, reference);
}

// A block that runs while a cutoff change is half made (the low-pass has it, the band-pass not
// yet) keeps both filters at the old cutoff: the change reaches the next block whole, exactly as if
// it had been made between the two blocks.
TEST_F(ProductResponse, ACutoffChangeReachesTheBlocksWhole) {
  const std::vector<int32_t> x = testNoise(3 * 256, 10, 1 << 30);
  ProductGraph halfway(44100, 9000), between(44100, 9000);
  std::vector<int32_t> y1(x.size()), y2(x.size());
  halfway.block(x.data(), y1.data(), 256);
  between.block(x.data(), y2.data(), 256);
  {
    ZR_Soundpipe::Edit edit(halfway.graph.pipe());
    ZR_exec("%o -f %f", halfway.lopass, 200.0);
    halfway.block(x.data() + 256, y1.data() + 256, 256);
    ZR_exec("%o -f %f", halfway.bapass, 200.0);
  }
  halfway.block(x.data() + 512, y1.data() + 512, 256);
  between.block(x.data() + 256, y2.data() + 256, 256);
  between.setCutoff(200);
  between.block(x.data() + 512, y2.data() + 512, 256);
  EXPECT_EQ(y1, y2);

  // Without the edit the middle block would mix the two cutoffs.
  ProductGraph mixed(44100, 9000);
  std::vector<int32_t> y3(x.size());
  mixed.block(x.data(), y3.data(), 256);
  ZR_exec("%o -f %f", mixed.lopass, 200.0);
  mixed.block(x.data() + 256, y3.data() + 256, 256);
  EXPECT_FALSE(std::equal(y3.begin() + 256, y3.begin() + 512, y2.begin() + 256))
      << "the case has a mixed block";
}

TEST_F(ProductResponse, WithBothFiltersOffTheOutputIsTheInput) {
  ProductGraph graph(44100, 1500);
  graph.setOn(false);
  const std::vector<int32_t> x = testNoise(4 * 512, 9, 1 << 30);
  const std::vector<int32_t> y = graph.run(x);
  EXPECT_TRUE(std::equal(x.begin() + 512, x.end(), y.begin() + 512)) << "after the fade-out block";
  EXPECT_NE(y[100], x[100]) << "the first block still fades from the filtered signal";
}

// Commands from the editor's and the host's threads while the audio thread runs blocks: the flags
// and coefficients are atomics, so this is race-free (the ThreadSanitizer build checks it), and
// once the commands stop the graph works exactly like a fresh one.
TEST_F(ProductResponse, CommandsFromOtherThreadsWhileBlocksRun) {
  ProductGraph graph(44100, 1000);
  std::atomic<bool> done{false};
  std::thread editor([&] {
    for (int i = 0; !done.load(); ++i) {
      graph.setOn(i % 3 != 0);
      graph.setCutoff(static_cast<float>(20 + (i * 997) % 9980));
    }
  });
  const std::vector<int32_t> noise = testNoise(512, 10, 1 << 30);
  std::vector<int32_t> y(512);
  for (int b = 0; b < 400; ++b) graph.block(noise.data(), y.data(), 512);
  done = true;
  editor.join();

  graph.setOn(true);
  graph.setCutoff(1000);
  graph.block(noise.data(), y.data(), 512);  // completes a switch that may be pending
  graph.graph.pipe()->clear();
  const std::vector<int32_t> x = testNoise(2048, 11, 1 << 30);
  ProductGraph fresh(44100, 1000);
  EXPECT_EQ(graph.run(x), fresh.run(x));
}

// The recorded output of the product graph; the same file is checked natively and under Wine.
}  // namespace
