#include "engine/kernels/ZR_kern_copy.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <numeric>
#include <vector>

#include "engine/kernels/ZR_kern_mode.h"

namespace {

TEST(KernCopy, StridesPickAndSpreadSamples) {
  std::vector<int32_t> in(12);
  std::iota(in.begin(), in.end(), 100);
  std::vector<int32_t> out(10, -1);
  ZR_kern_copy[ZR_MODE_SET](in.data(), out.data(), 4, 3, 2);
  EXPECT_EQ(out, (std::vector<int32_t>{100, -1, 103, -1, 106, -1, 109, -1, -1, -1}));
}

TEST(KernCopy, StridedModesMergeIntoTheWrittenSamplesOnly) {
  const std::vector<int32_t> in = {1, 2, 3, 4};
  std::vector<int32_t> out = {10, 10, 10, 10};
  ZR_kern_copy[ZR_MODE_SBN](in.data(), out.data(), 2, 2, 2);
  EXPECT_EQ(out, (std::vector<int32_t>{1 - 10, 10, 3 - 10, 10}));
}

TEST(KernCopy, AddWrapsInsteadOfSaturating) {
  const int32_t in = INT32_MAX;
  int32_t out = 1;
  ZR_kern_copy[ZR_MODE_ADD](&in, &out, 1, 1, 1);
  EXPECT_EQ(out, INT32_MIN);
}

}  // namespace
