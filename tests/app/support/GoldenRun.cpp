#include "GoldenRun.h"

#include <cmath>
#include <cstring>
#include <limits>

#include "TestSignal.h"
#include "app/ZR_Application.h"

const GoldenCase kGoldenCases[] = {
    {44100, 0.0f, 0, false},    {44100, 0.0895f, 0, false}, {44100, 0.25f, 7, false},
    {44100, 0.3105f, 0, false}, {44100, 0.375f, 3, false},  {44100, 0.995f, 0, false},
    {44100, 1.0f, 5, false},    {48000, 0.2f, 4, false},    {48000, 1.0f, 0, false},
    {96000, 0.5f, 2, false},    {22050, 0.7f, 0, false},    {44100, 0.0f, 0, true},
    {48000, 0.5f, 9, true},
};
const int kGoldenCaseCount = sizeof kGoldenCases / sizeof kGoldenCases[0];

namespace {

// Noise and a square wave within full scale, then a stretch beyond it that clipping cuts, four
// samples that are not a number, and silence, so the run covers the input conversion's edge cases
// and the decay to the dead band. Integer noise scaled by a power of two: the same floats on every
// target.
std::vector<float> goldenInput() {
  const std::vector<int32_t> noise = testNoise(16384, 12345, 1 << 29);
  std::vector<float> x(noise.size());
  for (size_t k = 0; k < x.size(); ++k)
    x[k] = static_cast<float>(noise[k]) * 0x1p-30f + ((k / 100) % 2 ? 0.5f : -0.5f);
  for (size_t k = 9000; k < 9400; ++k) x[k] = (k / 2) % 2 ? 1.25f : -1.25f;
  for (size_t k = 9400; k < 9404; ++k) x[k] = std::numeric_limits<float>::quiet_NaN();
  std::fill(x.begin() + 12000, x.end(), 0.0f);
  return x;
}

uint64_t hashBlock(const float* left, const float* right, int32_t n) {
  if (std::memcmp(left, right, static_cast<size_t>(n) * sizeof(float)) != 0) return 0;
  std::vector<int32_t> bits(static_cast<size_t>(n));
  std::memcpy(bits.data(), left, bits.size() * sizeof(float));
  return fnv1a(bits);
}

void setParam(ZR_Application& app, ZR_Application::ParamIndex index, float x) {
  app.param(index)->setNormalised(x);
  app.param(index)->changed(&app);
}

}  // namespace

std::vector<uint64_t> goldenBlockHashes(const GoldenCase& c) {
  static const std::vector<float> in = goldenInput();
  ZR_Application app;
  app.build();
  app.sampleRate = c.rate;
  app.setClock();
  setParam(app, ZR_Application::kFrequency, c.x);
  std::vector<float> left(in.size()), right(in.size());
  std::vector<uint64_t> hashes;
  float x = c.x;
  bool on = true;
  int32_t block = 0;
  forRandomBlocks(in.size(), static_cast<uint32_t>(c.rate) ^ 0x5eed, [&](size_t done, int32_t n) {
    if (c.toggleEvery > 0 && block % c.toggleEvery == c.toggleEvery - 1) {
      on = !on;
      setParam(app, ZR_Application::kState, on ? 1.0f : 0.0f);
    }
    if (c.sweep && block > 0) {
      x = x + 1.0f / 64 > 1.0f ? 0.0f : x + 1.0f / 64;
      setParam(app, ZR_Application::kFrequency, x);
    }
    float* inputs[] = {const_cast<float*>(in.data()) + done};
    float* outputs[] = {left.data() + done, right.data() + done};
    app.processBlock(inputs, outputs, n);
    hashes.push_back(hashBlock(left.data() + done, right.data() + done, n));
    ++block;
  });
  app.destroy();
  return hashes;
}
