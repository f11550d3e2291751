#include "GoldenCase.h"

#include <algorithm>
#include <vector>

#include "ProductGraph.h"
#include "TestSignal.h"

const GoldenCase kGoldenCases[] = {
    {44100, 20.0f, 0, 0},    {44100, 100.0f, 0, 0},  {44100, 643.75f, 7, 0},  {44100, 1000.0f, 0, 0},
    {44100, 1500.0f, 3, 0},  {44100, 9900.0f, 0, 0}, {44100, 10000.0f, 5, 0}, {48000, 440.9f, 4, 0},
    {48000, 10000.0f, 0, 0}, {96000, 2500.0f, 2, 0}, {22050, 5000.0f, 0, 0},
};
const int kGoldenCaseCount = sizeof kGoldenCases / sizeof kGoldenCases[0];

namespace {

// Noise and a square wave within full scale, then a stretch of full-scale swings (x - x2 = 2^31)
// and silence, so the run covers the loud edge cases and the decay to the dead band.
std::vector<int32_t> goldenInput() {
  const int32_t fullScale = 1 << 30;
  std::vector<int32_t> x = testNoise(16384, 12345, fullScale / 2);
  for (size_t k = 0; k < x.size(); ++k) x[k] += (k / 100) % 2 ? fullScale / 2 : -fullScale / 2;
  for (size_t k = 9000; k < 9400; ++k) x[k] = (k / 2) % 2 ? fullScale : -fullScale;
  std::fill(x.begin() + 12000, x.end(), 0);
  return x;
}

}  // namespace

uint64_t goldenHash(const GoldenCase& c) {
  static const std::vector<int32_t> in = goldenInput();
  ProductGraph graph(c.rate, c.cutoff);
  std::vector<int32_t> out(in.size());
  bool on = true;
  int32_t block = 0;
  forRandomBlocks(in.size(), static_cast<uint32_t>(c.rate) ^ 0x5eed, [&](size_t done, int32_t n) {
    if (c.toggleEvery > 0 && block % c.toggleEvery == c.toggleEvery - 1) graph.setOn(on = !on);
    graph.block(in.data() + done, out.data() + done, n);
    ++block;
  });
  return fnv1a(out);
}
