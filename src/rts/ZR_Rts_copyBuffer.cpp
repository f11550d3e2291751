#include <cstring>

#include "rts/ZR_Rts.h"
#include "rts/ZR_Rts_format.h"

// Every sample goes through one common scale: an integer sample is left-justified to 32 bits (its
// sign at bit 31, the pad bits dropped), a real one lies in [-1, 1]. Between the two, 2^31 - 1 is
// full scale, so +1.0 and the largest integer meet exactly and the most negative integer lands
// just below -1, where it is limited. Integer to integer is a pair of shifts and never rounds
// through a real.

namespace {

enum Kind { kInt8, kInt16, kInt24, kInt32, kFloat32, kFloat64, kKinds };

constexpr bool isFloat(Kind k) { return k == kFloat32 || k == kFloat64; }

Kind kindOf(const ZR_Rts_Format& f) {
  if (f.floating) return f.significant == 64 ? kFloat64 : kFloat32;
  return static_cast<Kind>(kInt8 + f.containerBytes - 1);
}

template <Kind K>
inline int32_t readInt(const uint8_t* p) {
  if constexpr (K == kInt8) {
    return static_cast<int8_t>(p[0]);
  } else if constexpr (K == kInt16) {
    int16_t v;
    std::memcpy(&v, p, 2);
    return v;
  } else if constexpr (K == kInt24) {
    return static_cast<int32_t>(p[0] | p[1] << 8 | static_cast<uint32_t>(static_cast<int8_t>(p[2])) << 16);
  } else {
    int32_t v;
    std::memcpy(&v, p, 4);
    return v;
  }
}

template <Kind K>
inline double readReal(const uint8_t* p) {
  if constexpr (K == kFloat32) {
    float x;
    std::memcpy(&x, p, 4);
    return x;
  } else {
    double x;
    std::memcpy(&x, p, 8);
    return x;
  }
}

template <Kind K>
inline void writeInt(uint8_t* p, int32_t v) {
  if constexpr (K == kInt8) {
    p[0] = static_cast<uint8_t>(v);
  } else if constexpr (K == kInt16) {
    const int16_t w = static_cast<int16_t>(v);
    std::memcpy(p, &w, 2);
  } else if constexpr (K == kInt24) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
    p[2] = static_cast<uint8_t>(v >> 16);
  } else {
    std::memcpy(p, &v, 4);
  }
}

template <Kind K>
inline void writeReal(uint8_t* p, double x) {
  if constexpr (K == kFloat32) {
    const float f = static_cast<float>(x);
    std::memcpy(p, &f, 4);
  } else {
    std::memcpy(p, &x, 8);
  }
}

// A real limited to [-1, 1]; not a number becomes 0 (silence), not full scale.
inline double limited(double x) {
  if (x > 1.0) return 1.0;
  if (x >= -1.0) return x;
  return x < -1.0 ? -1.0 : 0.0;
}

// The left-justified integer v as a real: v / (2^31 - 1), multiplied in extended precision (the
// reciprocal rounded once) and rounded to double, as the format's arithmetic is defined.
inline double intToReal(int32_t v) {
  constexpr long double kReciprocal = 1.0L / 2147483647.0L;
  const double x = static_cast<double>(static_cast<long double>(v) * kReciprocal);
  return x < -1.0 ? -1.0 : x;
}

// A real in [-1, 1] as a left-justified integer, truncated toward zero.
inline int32_t realToInt(double x) { return static_cast<int32_t>(x * 2147483647.0); }

struct Shifts {
  int source;       // 32 - significant bits of an integer source
  int destination;  // 32 - significant bits of an integer destination
};

template <Kind S, Kind D>
void copyLoop(uint8_t* d, int32_t dStride, const uint8_t* s, int32_t sStride, int32_t count, Shifts shifts) {
  for (int32_t i = 0; i < count; ++i, d += dStride, s += sStride) {
    if constexpr (!isFloat(S)) {
      const int32_t v = static_cast<int32_t>(static_cast<uint32_t>(readInt<S>(s)) << shifts.source);
      if constexpr (isFloat(D))
        writeReal<D>(d, intToReal(v));
      else
        writeInt<D>(d, v >> shifts.destination);
    } else {
      const double x = limited(readReal<S>(s));
      if constexpr (isFloat(D))
        writeReal<D>(d, x);
      else
        writeInt<D>(d, realToInt(x) >> shifts.destination);
    }
  }
}

typedef void (*CopyLoop)(uint8_t*, int32_t, const uint8_t*, int32_t, int32_t, Shifts);

// One loop per pair of sample kinds: source kind by row, destination kind by column.
template <Kind S>
struct Row {
  static constexpr CopyLoop loops[kKinds] = {copyLoop<S, kInt8>,    copyLoop<S, kInt16>,
                                             copyLoop<S, kInt24>,   copyLoop<S, kInt32>,
                                             copyLoop<S, kFloat32>, copyLoop<S, kFloat64>};
};

constexpr const CopyLoop* kLoops[kKinds] = {Row<kInt8>::loops,  Row<kInt16>::loops,   Row<kInt24>::loops,
                                            Row<kInt32>::loops, Row<kFloat32>::loops, Row<kFloat64>::loops};

}  // namespace

ZR_error ZR_Rts::copyBuffer(Chan* destination, const Chan* source) {
  if (!destination || !source || destination->count != source->count || source->count < 0) return nullptr;
  ZR_Rts_Format d, s;
  if (!ZR_Rts_format_decode(destination->format, &d) || !ZR_Rts_format_decode(source->format, &s))
    return nullptr;
  if (!destination->buffer || !source->buffer) return nullptr;
  const Shifts shifts{32 - s.significant, 32 - d.significant};
  kLoops[kindOf(s)][kindOf(d)](destination->buffer, d.stride, source->buffer, s.stride, source->count,
                               shifts);
  return ZR_OK;
}
