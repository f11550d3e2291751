#include "engine/kernels/ZR_kern_oper.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "engine/kernels/ZR_kern_mode.h"

namespace {

struct Case {
  ZR_oper oper;
  int32_t a, b, y;
};

constexpr int32_t kOne = 1 << 24;  // unity of the products

class KernOper : public testing::TestWithParam<Case> {};

TEST_P(KernOper, TwoInputResultAsSet) {
  const Case& c = GetParam();
  int32_t y = 12345;
  ZR_kern_oper[c.oper * 6 + ZR_MODE_SET](&c.a, &c.b, &y, 1);
  EXPECT_EQ(y, c.y) << c.a << " op " << c.b;
}

INSTANTIATE_TEST_SUITE_P(
    EdgeCases, KernOper,
    testing::Values(
        Case{ZR_OPER_ADD, INT32_MAX, 1, INT32_MAX}, Case{ZR_OPER_ADD, INT32_MIN, -1, INT32_MIN},
        Case{ZR_OPER_ADD, -5, 3, -2}, Case{ZR_OPER_SUB, INT32_MIN, 1, INT32_MAX}, Case{ZR_OPER_SUB, 3, 5, -2},
        Case{ZR_OPER_MUL, kOne, 3 << 20, 3 << 20}, Case{ZR_OPER_MUL, 1 << 30, 1 << 30, INT32_MAX},
        Case{ZR_OPER_MUL, 1 << 30, -(1 << 30), INT32_MIN},
        Case{ZR_OPER_MUL, -1, 1, -1},  // floor, not truncation
        Case{ZR_OPER_DIV, kOne, kOne, kOne}, Case{ZR_OPER_DIV, 0, 0, kOne}, Case{ZR_OPER_DIV, 5, 0, 6 * kOne},
        Case{ZR_OPER_DIV, 1 << 30, 0, INT32_MAX}, Case{ZR_OPER_DIV, -kOne, kOne, -kOne},
        Case{ZR_OPER_DIV, 0, 1, kOne / 2}, Case{ZR_OPER_DIV, -(1 << 30), 0, INT32_MIN},
        // -2^31 has the magnitude 2^31: as a dividend it saturates, as a divisor it
        // divides by 2^31 + 1.
        Case{ZR_OPER_DIV, INT32_MIN, 0, INT32_MIN},
        Case{ZR_OPER_DIV, INT32_MIN, kOne, -static_cast<int32_t>((uint64_t{0x80000001u} << 24) / (kOne + 1))},
        Case{ZR_OPER_DIV, kOne, INT32_MIN, -static_cast<int32_t>((uint64_t{kOne + 1} << 24) / 0x80000001u)},
        Case{ZR_OPER_DIV, INT32_MIN, INT32_MIN, kOne}));

class KernKoef : public testing::TestWithParam<Case> {};

TEST_P(KernKoef, ConstantResultAsSet) {
  const Case& c = GetParam();
  int32_t y = 12345;
  ZR_kern_koef[c.oper * 6 + ZR_MODE_SET](&c.a, &y, 1, c.b);
  EXPECT_EQ(y, c.y) << c.a << " op k=" << c.b;
}

INSTANTIATE_TEST_SUITE_P(
    EdgeCases, KernKoef,
    testing::Values(Case{ZR_OPER_ADD, INT32_MAX, 1, INT32_MIN},  // the constant shift wraps
                    Case{ZR_OPER_SUB, INT32_MIN, 1, INT32_MAX}, Case{ZR_OPER_MUL, kOne, 16909320, 16909320},
                    Case{ZR_OPER_MUL, 1 << 30, 1 << 30, INT32_MAX},
                    Case{ZR_OPER_DIV, 0, 1, -(kOne / 2)},  // zero counts as negative here
                    Case{ZR_OPER_DIV, 0, 0, kOne}, Case{ZR_OPER_DIV, 5, 0, -6 * kOne},
                    Case{ZR_OPER_DIV, 0, 2, -(kOne / 3)}, Case{ZR_OPER_DIV, kOne, kOne, kOne}));

}  // namespace
