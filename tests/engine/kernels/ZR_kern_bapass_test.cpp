#include "engine/kernels/ZR_kern_bapass.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "TestSignal.h"
#include "engine/kernels/ZR_kern_mode.h"

namespace {

// f = 1000 Hz, q = .618, fs = 44100 Hz.
constexpr int32_t kC1 = 163171937, kC2 = 285650572, kC3 = 142825286;

struct States {
  int32_t x1 = 0, x2 = 0, y1 = 0, y2 = 0;
};

int32_t run(int mode, const std::vector<int32_t>& in, std::vector<int32_t>& out, States& s, int32_t c1 = kC1,
            int32_t c2 = kC2, int32_t c3 = kC3) {
  return ZR_kern_bapass[mode](in.data(), out.data(), static_cast<int32_t>(in.size()), c1, c2, c3, &s.x1,
                              &s.x2, &s.y1, &s.y2);
}

TEST(KernBapass, ImpulseGivesTheFlooredProductFirst) {
  std::vector<int32_t> in(3, 0), out(3);
  in[0] = 1 << 24;
  States s;
  EXPECT_EQ(run(ZR_MODE_SET, in, out, s), 0);
  EXPECT_EQ(out[0], 1115822);
  // Then 2 y1 - 2 floor(y1 c1 / 2^31), the x2 term still zero.
  EXPECT_EQ(out[1], 2 * 1115822 - 2 * static_cast<int32_t>((int64_t{1115822} * kC1) >> 31));
}

TEST(KernBapass, ZeroCoefficientsKeepAZeroStateAtZero) {
  const std::vector<int32_t> in = testNoise(64, 1, 1 << 30);
  std::vector<int32_t> out(64, 5);
  States s;
  run(ZR_MODE_SET, in, out, s, 0, 0, 0);
  EXPECT_EQ(out, std::vector<int32_t>(64, 0));
}

TEST(KernBapass, ZeroCoefficientsExtrapolateLinearlyFromTheStates) {
  const std::vector<int32_t> in(4, 1 << 30);
  std::vector<int32_t> out(4);
  States s;
  s.y1 = 10;
  s.y2 = 7;
  run(ZR_MODE_SET, in, out, s, 0, 0, 0);
  EXPECT_EQ(out, (std::vector<int32_t>{13, 16, 19, 22}));
}

TEST(KernBapass, StnWritesMinusYAndTheRecursionContinuesFromPlusY) {
  const std::vector<int32_t> in = testNoise(100, 2, 1 << 29);
  std::vector<int32_t> set(100), stn(100);
  States a, b;
  run(ZR_MODE_SET, in, set, a);
  run(ZR_MODE_STN, in, stn, b);
  for (size_t i = 0; i < in.size(); ++i) ASSERT_EQ(stn[i], -set[i]) << i;
  EXPECT_EQ(b.y1, a.y1);
  EXPECT_EQ(b.y2, a.y2);
}

// The largest distance between the integer output and the real recursion with the same
// coefficients: only the floors of the products separate them.
double worstDeviationFromTheRealRecursion(const std::vector<int32_t>& in) {
  std::vector<int32_t> out(in.size());
  States s;
  run(ZR_MODE_SET, in, out, s);
  const double c1 = kC1 / 1073741824.0, c2 = kC2 / 2147483648.0, c3 = kC3 / 2147483648.0;
  double x1 = 0, x2 = 0, y1 = 0, y2 = 0, worst = 0;
  for (size_t i = 0; i < in.size(); ++i) {
    const double y = c3 * (in[i] - x2) + (2 - c1) * y1 - (1 - c2) * y2;
    worst = std::max(worst, std::fabs(y - out[i]));
    x2 = x1, x1 = in[i], y2 = y1, y1 = y;
  }
  return worst;
}

TEST(KernBapass, FollowsTheRealRecursion) {
  EXPECT_LT(worstDeviationFromTheRealRecursion(testNoise(2000, 3, 1 << 29)), 64.0)
      << "flooring errors stay a few units (of 2^30 full scale)";
}

// A full-scale swing (+1.0, then -1.0 two samples later) makes x - x2 = 2^31, which 32 bits would
// read as -2^31: the output would be off by 2 c3 (a quarter of full scale) on every such sample.
TEST(KernBapass, FullScaleSwingsKeepTheirSign) {
  std::vector<int32_t> in(2000);
  for (size_t i = 0; i < in.size(); ++i) in[i] = (i / 2) % 2 ? -(1 << 30) : 1 << 30;
  EXPECT_LT(worstDeviationFromTheRealRecursion(in), 64.0);
}

}  // namespace
