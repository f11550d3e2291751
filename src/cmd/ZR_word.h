#pragma once
#include <cmath>
#include <cstdint>

// Conversions into 32-bit sample and coefficient words. Converting a real that does not fit, or
// narrowing an integer that does not fit, is undefined in C++ and traps or wraps differently per
// target; every node goes through these so that a value outside the range gives the nearest word
// and a value that fits is unchanged.

/// x truncated toward zero, saturated to the 32-bit range; not a number gives 0.
inline int32_t ZR_word_truncated(long double x) {
  if (!(x == x)) return 0;
  if (x <= -2147483648.0L) return INT32_MIN;
  if (x >= 2147483647.0L) return INT32_MAX;
  return static_cast<int32_t>(x);
}

/// x rounded to the nearest word (halves away from zero), saturated; not a number gives 0.
inline int32_t ZR_word_rounded(long double x) {
  if (!(x == x)) return 0;
  return ZR_word_truncated(x < 0 ? x - 0.5L : x + 0.5L);
}

/// x rounded to the nearest word with halves to even (the default rounding mode), saturated; not a
/// number gives 0. The rounding is one instruction on the extended type, and the integral result
/// passes through double, exactly, so no conversion has to switch the rounding mode.
inline int32_t ZR_word_nearest_even(long double x) {
  if (!(x == x)) return 0;
  if (x <= -2147483648.0L) return INT32_MIN;
  if (x >= 2147483647.0L) return INT32_MAX;
  return static_cast<int32_t>(static_cast<double>(std::rint(x)));
}

/// A 64-bit sum or product saturated to the 32-bit range.
inline int32_t ZR_word_saturated(int64_t v) {
  if (v > INT32_MAX) return INT32_MAX;
  if (v < INT32_MIN) return INT32_MIN;
  return static_cast<int32_t>(v);
}

/// The low 32 bits of x truncated toward zero, as a recursion that wraps by design keeps them.
/// Only a value beyond the 64-bit range (a recursion that has run away) is pinned to the word's
/// limits; not a number gives 0.
inline int32_t ZR_word_low_bits(double x) {
  if (!(x == x)) return 0;
  if (!(x > -9223372036854775808.0 && x < 9223372036854775808.0)) return x > 0 ? INT32_MAX : INT32_MIN;
  return static_cast<int32_t>(static_cast<uint32_t>(static_cast<int64_t>(x)));
}
