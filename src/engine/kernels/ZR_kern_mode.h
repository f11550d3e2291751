#pragma once
#include <cstdint>

/// Output modes: how a node's result y is merged into the sample its output buffer already holds.
/// The order is the order of every six-entry kernel table and of the "mode" names.
enum ZR_mode : int32_t {
  ZR_MODE_SET = 0,  // y
  ZR_MODE_ADD = 1,  // out + y
  ZR_MODE_SUB = 2,  // out - y
  ZR_MODE_STN = 3,  // -y
  ZR_MODE_ADN = 4,  // -(out + y)
  ZR_MODE_SBN = 5,  // y - out
  ZR_MODE_COUNT = 6
};

/// The mode step of every integer kernel. Plain two's-complement arithmetic that wraps, so that a
/// chain of nodes summing into one buffer never traps and never saturates halfway.
template <int32_t M>
inline void ZR_mode_write(int32_t& out, int32_t y) {
  static_assert(M >= 0 && M < ZR_MODE_COUNT);
  const uint32_t o = static_cast<uint32_t>(out);
  const uint32_t u = static_cast<uint32_t>(y);
  if constexpr (M == ZR_MODE_SET) out = y;
  if constexpr (M == ZR_MODE_ADD) out = static_cast<int32_t>(o + u);
  if constexpr (M == ZR_MODE_SUB) out = static_cast<int32_t>(o - u);
  if constexpr (M == ZR_MODE_STN) out = static_cast<int32_t>(0u - u);
  if constexpr (M == ZR_MODE_ADN) out = static_cast<int32_t>(0u - (o + u));
  if constexpr (M == ZR_MODE_SBN) out = static_cast<int32_t>(u - o);
}

/// The same six modes for a node that computes y in floating point: the merge happens in double,
/// and only its result is truncated to a sample.
template <int32_t M>
inline double ZR_mode_combine(double out, double y) {
  static_assert(M >= 0 && M < ZR_MODE_COUNT);
  if constexpr (M == ZR_MODE_SET) return y;
  if constexpr (M == ZR_MODE_ADD) return out + y;
  if constexpr (M == ZR_MODE_SUB) return out - y;
  if constexpr (M == ZR_MODE_STN) return -y;
  if constexpr (M == ZR_MODE_ADN) return -(out + y);
  if constexpr (M == ZR_MODE_SBN) return y - out;
}
