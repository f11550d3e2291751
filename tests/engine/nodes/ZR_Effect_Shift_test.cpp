#include "engine/nodes/ZR_Effect_Shift.h"

#include <gtest/gtest.h>

#include <vector>

#include "NodeRig.h"

namespace {

struct DelayCase {
  int32_t sigma, d;
};

class ShiftCorrectionDelay : public testing::TestWithParam<DelayCase> {};

// d = P / (1 - sigma / 16384) at P = 2^23: the pole at sigma = 16384 and the quotients beyond the
// word near it take the nearest word.
TEST_P(ShiftCorrectionDelay, IsPOverOneMinusSigma) {
  EXPECT_EQ(ZR_Effect_Shift::correctionDelay(8388608, GetParam().sigma), GetParam().d);
}

INSTANTIATE_TEST_SUITE_P(Values, ShiftCorrectionDelay,
                         testing::Values(DelayCase{0, 8388608}, DelayCase{8192, 16777216},
                                         DelayCase{-16384, 4194304}, DelayCase{32768, -8388608},
                                         DelayCase{16384, INT32_MAX}, DelayCase{16383, INT32_MAX},
                                         DelayCase{16385, INT32_MIN}, DelayCase{16000, 357913941}));

struct FullScaleCase {
  int32_t x;
  int32_t limit;
};

class ShiftFullScale : public EngineTest, public testing::WithParamInterface<FullScaleCase> {};

// At phi = P/2 both weights are 1/2, so both taps count in full: a full-scale word comes out one
// window later as twice itself minus the output of a window before, which is one unit short of it
// after truncation. That is one beyond the word: it saturates rather than flip sign.
TEST_P(ShiftFullScale, AtHalfTheWindowTheOutputSaturates) {
  NodeRig rig("ZR_Effect_Shift -i %o -o %o -clock 48000 -p 4194304");
  const int32_t x = GetParam().x, limit = GetParam().limit;
  const std::vector<int32_t> y = rig.run(std::vector<int32_t>(1200, x));
  EXPECT_EQ(y[0], 0) << "the taps are still in the empty ring";
  EXPECT_EQ(y[768], limit);
  for (size_t i = 256; i < y.size(); ++i) ASSERT_TRUE(x > 0 ? y[i] > 0 : y[i] < 0) << i << ": " << y[i];
}

INSTANTIATE_TEST_SUITE_P(Values, ShiftFullScale,
                         testing::Values(FullScaleCase{INT32_MAX, INT32_MAX},
                                         FullScaleCase{INT32_MIN, INT32_MIN}));

}  // namespace
