#include "engine/kernels/ZR_kern_fade.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

TEST(KernFade, MovesFromTheSecondArrayToTheFirstOverTheBlock) {
  std::vector<int32_t> a(4, 1000), b(4, 0);
  ZR_kern_fade_a(a.data(), b.data(), 4);
  EXPECT_EQ(a, (std::vector<int32_t>{0, 250, 500, 750}));
  EXPECT_EQ(b, std::vector<int32_t>(4, 0)) << "the second array is only read";
}

TEST(KernFade, TheSecondVariantStoresIntoTheSecondArray) {
  std::vector<int32_t> a(4, 1000), b(4, 0);
  ZR_kern_fade_b(a.data(), b.data(), 4);
  EXPECT_EQ(b, (std::vector<int32_t>{0, 250, 500, 750}));
  EXPECT_EQ(a, std::vector<int32_t>(4, 1000));
}

TEST(KernFade, ExtremesStayExactAndTruncateTowardZero) {
  std::vector<int32_t> a = {INT32_MAX, INT32_MAX, -3, -3}, b = {INT32_MIN, INT32_MIN, 0, 0};
  ZR_kern_fade_a(a.data(), b.data(), 4);
  EXPECT_EQ(a[0], INT32_MIN);
  EXPECT_EQ(a[1], static_cast<int32_t>((int64_t{INT32_MAX} + 3 * int64_t{INT32_MIN}) / 4));
  EXPECT_EQ(a[2], -1) << "-6 / 4 truncates toward zero";
  EXPECT_EQ(a[3], -2) << "-9 / 4 truncates toward zero";
}

}  // namespace
