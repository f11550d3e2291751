#include "engine/kernels/ZR_kern_onepole.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "TestSignal.h"
#include "engine/kernels/ZR_kern_mode.h"

namespace {

TEST(KernOnepole, HalfFactorMovesHalfWayInOneSample) {
  const uint32_t a = 0x80000000u;
  int32_t b = 0;
  const int32_t x = 1000;
  int32_t y = 0;
  ZR_kern_lopass[ZR_MODE_SET](&x, &y, 1, &a, &b);
  EXPECT_EQ(b, 500);
  EXPECT_EQ(y, 500);
}

TEST(KernOnepole, ZeroFactorHoldsTheStateWhateverTheInput) {
  const uint32_t a = 0;
  int32_t b = -12345;
  const std::vector<int32_t> x = {1 << 30, -(1 << 30), 0, 77};
  std::vector<int32_t> y(x.size());
  ZR_kern_lopass[ZR_MODE_SET](x.data(), y.data(), 4, &a, &b);
  EXPECT_EQ(y, std::vector<int32_t>(4, -12345));
  EXPECT_EQ(b, -12345);
}

TEST(KernOnepole, StnWritesMinusTheOutputAndContinuesFromPlusIt) {
  const uint32_t a = 0x80000000u;
  const int32_t x[2] = {1000, 1000};
  int32_t set[2], stn[2];
  int32_t bSet = 0, bStn = 0;
  ZR_kern_lopass[ZR_MODE_SET](x, set, 2, &a, &bSet);
  ZR_kern_lopass[ZR_MODE_STN](x, stn, 2, &a, &bStn);
  EXPECT_EQ(set[0], 500);
  EXPECT_EQ(set[1], 750);
  EXPECT_EQ(stn[0], -500);
  EXPECT_EQ(stn[1], -750) << "the second sample continues from +500";
  EXPECT_EQ(bStn, 750);
}

// The integer recursion is b += (x - b) a / 2^32 within one unit per step, for any coefficient and
// any difference inside the 32-bit range.
TEST(KernOnepole, EachStepIsTheRealRecursionWithinOneUnit) {
  TestRandom random(42);
  for (int trial = 0; trial < 20000; ++trial) {
    const uint32_t a = random.next();
    int32_t b = random.between(-(1 << 30), 1 << 30);
    const int32_t x = random.between(-(1 << 30), 1 << 30);
    const double exact = b + (static_cast<double>(x) - b) * a / 4294967296.0;
    int32_t y;
    ZR_kern_lopass[ZR_MODE_SET](&x, &y, 1, &a, &b);
    ASSERT_NEAR(y, exact, 1.0) << "a=" << a << " x=" << x;
  }
}

TEST(KernOnepole, HighPassIsTheInputMinusTheLowPass) {
  const uint32_t a = 535616699;
  const std::vector<int32_t> x = testNoise(1000, 3, 1 << 30);
  std::vector<int32_t> low(x.size()), high(x.size(), 99);
  int32_t bLow = 0, bHigh = 0;
  ZR_kern_lopass[ZR_MODE_SET](x.data(), low.data(), 1000, &a, &bLow);
  ZR_kern_hipass(x.data(), high.data(), 1000, a, &bHigh);
  for (size_t i = 0; i < x.size(); ++i) ASSERT_EQ(high[i], x[i] - low[i]) << i;
  EXPECT_EQ(bHigh, bLow) << "the same recursion carries the state";
}

TEST(KernOnepole, HighPassWithZeroFactorPassesTheInput) {
  const std::vector<int32_t> x = {5, -7, 1 << 30};
  std::vector<int32_t> y(3);
  int32_t b = 0;
  ZR_kern_hipass(x.data(), y.data(), 3, 0, &b);
  EXPECT_EQ(y, x);
}

}  // namespace
