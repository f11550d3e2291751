#include "cmd/ZR_word.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

struct NearestCase {
  long double x;
  int32_t word;
};

// Halves go to the even word; values beyond the word saturate; not a number gives 0.
TEST(WordNearestEven, RoundsHalvesToEvenAndSaturates) {
  const long double inf = std::numeric_limits<long double>::infinity();
  const NearestCase cases[] = {
      {0.5L, 0},
      {1.5L, 2},
      {2.5L, 2},
      {-0.5L, 0},
      {-1.5L, -2},
      {-2.5L, -2},
      {499.9999998L, 500},
      {-707.49L, -707},
      {2147483646.5L, 2147483646},
      {2147483646.6L, 2147483647},
      {4294965248.0L, INT32_MAX},
      {-2147483648.4L, INT32_MIN},
      {-1e30L, INT32_MIN},
      {inf, INT32_MAX},
      {-inf, INT32_MIN},
      {std::numeric_limits<long double>::quiet_NaN(), 0},
  };
  for (const NearestCase& c : cases) EXPECT_EQ(ZR_word_nearest_even(c.x), c.word) << static_cast<double>(c.x);
}

}  // namespace
