#include "engine/kernels/ZR_kern_dist.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

// The defaults of the clipper node: d = 2^24 and s = 0.5 give b = 2^23 and h = 2^22.
constexpr int32_t kB = 1 << 23, kH = 1 << 22;

struct DistCase {
  const char* name;
  int32_t x;
  int32_t flags;
  int32_t y;
};

class KernDist : public testing::TestWithParam<DistCase> {};

TEST_P(KernDist, OneSampleFromARestingOffset) {
  const DistCase& c = GetParam();
  int32_t out = 0, offset = 0;
  ZR_kern_dist(&c.x, &out, 1, &offset, kB, kH, 0, 1, c.flags);
  EXPECT_EQ(out, c.y);
  EXPECT_EQ(offset, 0) << "a zero rate leaves the offset";
}

// Within the limits the output is 4 (((x >> 1) - S) >> 1): x with its two low bits floored. Beyond
// them the knee lets K E / (K + |E|) through, K = 2^23 on both sides with the flags even: 2^30 gives
// c = 2^23 + 2^23 (2^28 - 2^23) / 2^28 = 16515072. With the flags odd the lower limit is
// max(-b - h, min(S, b)) = 0 and the knee below is 2^20.
INSTANTIATE_TEST_SUITE_P(Values, KernDist,
                         testing::Values(DistCase{"small", 4000, 0, 4000},
                                         DistCase{"low_bits_floored", 4003, 0, 4000},
                                         DistCase{"negative_floored", -4003, 0, -4004},
                                         DistCase{"far_above", 1 << 30, 0, 66060288},
                                         DistCase{"far_below", -(1 << 30), 0, -66060288},
                                         DistCase{"far_below_odd", -(1 << 30), 1, -4177980},
                                         DistCase{"odd_keeps_the_upper_side", 1 << 30, 3, 66060288}),
                         [](const testing::TestParamInfo<DistCase>& info) {
                           return std::string(info.param.name);
                         });

TEST(KernDistLimits, FarAboveTheThresholdStaysBelowFourTimesBPlusK) {
  const std::vector<int32_t> x = {1 << 30, INT32_MAX, 1 << 29};
  std::vector<int32_t> y(3);
  int32_t offset = 0;
  ZR_kern_dist(x.data(), y.data(), 3, &offset, kB, kH, 0, 1, 0);
  for (int32_t v : y) {
    EXPECT_GT(v, 4 * kB);
    EXPECT_LT(v, 4 * (kB + (4 * kH >> 1)));
  }
}

TEST(KernDistLimits, TheOffsetDriftsTowardWhatIsCutOff) {
  const std::vector<int32_t> x(4, 1 << 30);
  std::vector<int32_t> y(4);
  int32_t offset = 0;
  ZR_kern_dist(x.data(), y.data(), 4, &offset, kB, kH, INT32_MAX, 1, 0);
  EXPECT_EQ(y, (std::vector<int32_t>{66060288, 65738856, 65329628, 64815472}));
  EXPECT_EQ(offset, 344669099);
}

// Words at the ends of the range in every parameter: the arithmetic wraps where it is meant to and
// is never undefined (the sanitizer build checks the latter); the output stays four times a word.
TEST(KernDistLimits, ExtremeWordsWrapWithoutTrapping) {
  const std::vector<int32_t> x = {INT32_MIN, INT32_MAX, 0, -1, INT32_MIN, INT32_MAX, 1 << 30, -(1 << 30)};
  const int32_t words[] = {INT32_MIN, INT32_MAX, 0, -1, 1};
  for (int32_t b : words)
    for (int32_t h : words)
      for (int32_t rate : words)
        for (int32_t flags : {0, 1}) {
          std::vector<int32_t> y(x.size(), 1);
          int32_t offset = INT32_MAX;
          ZR_kern_dist(x.data(), y.data(), static_cast<int32_t>(x.size()), &offset, b, h, rate, 1, flags);
          for (int32_t v : y) ASSERT_EQ(v & 3, 0) << b << " " << h << " " << rate << " " << flags;
        }
}

}  // namespace
