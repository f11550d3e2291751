#include "engine/kernels/ZR_kern_ampdet.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "engine/kernels/ZR_kern_mode.h"

namespace {

TEST(KernAmpdet, FullAttackReachesTheMagnitudeMinusOneInOneSample) {
  const std::vector<int32_t> in = {-1000, 5000, 1 << 30};
  std::vector<int32_t> out(3), abs(3);
  int32_t env = 0;
  ZR_kern_ampdet[ZR_MODE_SET](in.data(), out.data(), abs.data(), 3, INT32_MAX, 0, &env);
  EXPECT_EQ(out, (std::vector<int32_t>{999, 4999, (1 << 30) - 1}));
  EXPECT_EQ(abs, (std::vector<int32_t>{1000, 5000, 1 << 30}));
  EXPECT_EQ(env, (1 << 30) - 1);
}

TEST(KernAmpdet, ReleaseAppliesWhenTheMagnitudeFalls) {
  const std::vector<int32_t> in = {0};
  int32_t out = 0;
  int32_t env = 1000;
  ZR_kern_ampdet[ZR_MODE_SET](in.data(), &out, nullptr, 1, INT32_MAX, 1 << 30, &env);
  EXPECT_EQ(out, 500) << "half of the way down with release = 0.5";
}

TEST(KernAmpdet, WithoutAnOutputOnlyMagnitudesAreWrittenAndTheEnvelopeRests) {
  const std::vector<int32_t> in = {-7, INT32_MIN, 3};
  std::vector<int32_t> abs(3);
  int32_t env = 42;
  ZR_kern_ampdet[ZR_MODE_ADD](in.data(), nullptr, abs.data(), 3, INT32_MAX, INT32_MAX, &env);
  EXPECT_EQ(abs, (std::vector<int32_t>{7, INT32_MIN, 3})) << "-2^31 keeps its bits";
  EXPECT_EQ(env, 42);
}

TEST(KernAmpdet, TheMostNegativeSampleCountsAsTheLargestMagnitude) {
  const int32_t in = INT32_MIN;
  int32_t out = 0;
  int32_t env = 1 << 30;
  // Attack is chosen (2^31 >= env as unsigned); a zero attack leaves the envelope where it was.
  ZR_kern_ampdet[ZR_MODE_SET](&in, &out, nullptr, 1, 0, INT32_MAX, &env);
  EXPECT_EQ(env, 1 << 30);
}

}  // namespace
