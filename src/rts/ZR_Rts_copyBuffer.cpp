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

// The same into a 32-bit float. The double product rounds to the same float as the extended one
// for every 32-bit v (checked over all of them), and costs less; below -1 it lies within 2^-31 of
// -1, so it rounds to -1 without a limit.
inline float intToFloat(int32_t v) { return static_cast<float>(v * (1.0 / 2147483647.0)); }

// The same for at most 24 significant bits: v / 2^31 is exact in a float, and v / (2^31 - 1) lies
// within 2^-31 of it, far inside half a float step, so it rounds to v / 2^31; the most negative
// value gives -1 without a limit.
inline float narrowIntToFloat(int32_t v) { return static_cast<float>(v) * 0x1p-31f; }

// A real in [-1, 1] as a left-justified integer, truncated toward zero.
inline int32_t realToInt(double x) { return static_cast<int32_t>(x * 2147483647.0); }

struct Shifts {
  int source;       // 32 - significant bits of an integer source
  int destination;  // 32 - significant bits of an integer destination
};

constexpr int32_t kSize[kKinds] = {1, 2, 3, 4, 4, 8};

// One block of one pair of kinds. A step of 1 or 2 fixes the stride at one or two samples and the
// integer side at its full container, so the common cases (a mono block, one channel of a stereo
// block, samples that fill their container) compile to a loop with constant strides and shifts;
// a step of 0 takes strides and shifts from the format words.
template <Kind S, Kind D, bool kNarrow, int kSourceStep, int kDestinationStep>
void copyLoop(uint8_t* d, int32_t dStride, const uint8_t* s, int32_t sStride, int32_t count, Shifts shifts) {
  if constexpr (kSourceStep != 0) {
    sStride = kSourceStep * kSize[S];
    shifts.source = 32 - 8 * kSize[S];
  }
  if constexpr (kDestinationStep != 0) {
    dStride = kDestinationStep * kSize[D];
    shifts.destination = 32 - 8 * kSize[D];
  }
  for (int32_t i = 0; i < count; ++i) {
    const uint8_t* from = s + static_cast<ptrdiff_t>(i) * sStride;
    uint8_t* to = d + static_cast<ptrdiff_t>(i) * dStride;
    if constexpr (!isFloat(S)) {
      const int32_t v = static_cast<int32_t>(static_cast<uint32_t>(readInt<S>(from)) << shifts.source);
      if constexpr (D == kFloat32) {
        const float x = kNarrow ? narrowIntToFloat(v) : intToFloat(v);
        std::memcpy(to, &x, 4);
      } else if constexpr (D == kFloat64) {
        writeReal<D>(to, intToReal(v));
      } else {
        writeInt<D>(to, v >> shifts.destination);
      }
    } else {
      const double x = limited(readReal<S>(from));
      if constexpr (isFloat(D))
        writeReal<D>(to, x);
      else
        writeInt<D>(to, realToInt(x) >> shifts.destination);
    }
  }
}

typedef void (*CopyLoop)(uint8_t*, int32_t, const uint8_t*, int32_t, int32_t, Shifts);

// Every pair of kinds with strides from the format words: source kind by row, destination kind by
// column.
template <Kind S>
struct Row {
  static constexpr CopyLoop loops[kKinds] = {
      copyLoop<S, kInt8, false, 0, 0>,    copyLoop<S, kInt16, false, 0, 0>,
      copyLoop<S, kInt24, false, 0, 0>,   copyLoop<S, kInt32, false, 0, 0>,
      copyLoop<S, kFloat32, false, 0, 0>, copyLoop<S, kFloat64, false, 0, 0>};
};

constexpr const CopyLoop* kLoops[kKinds] = {Row<kInt8>::loops,  Row<kInt16>::loops,   Row<kInt24>::loops,
                                            Row<kInt32>::loops, Row<kFloat32>::loops, Row<kFloat64>::loops};

// Integer sources of at most 24 significant bits into 32-bit floats.
constexpr CopyLoop kNarrowToFloat32[] = {
    copyLoop<kInt8, kFloat32, true, 0, 0>, copyLoop<kInt16, kFloat32, true, 0, 0>,
    copyLoop<kInt24, kFloat32, true, 0, 0>, copyLoop<kInt32, kFloat32, true, 0, 0>};

// A pair of kinds by the steps of its two strides, one or two samples each.
template <Kind S, Kind D, bool kNarrow>
CopyLoop stepped(int sourceStep, int destinationStep) {
  static constexpr CopyLoop loops[2][2] = {{copyLoop<S, D, kNarrow, 1, 1>, copyLoop<S, D, kNarrow, 1, 2>},
                                           {copyLoop<S, D, kNarrow, 2, 1>, copyLoop<S, D, kNarrow, 2, 2>}};
  return loops[sourceStep - 1][destinationStep - 1];
}

int stepOf(const ZR_Rts_Format& f) {
  if (f.stride == f.containerBytes) return 1;
  return f.stride == 2 * f.containerBytes ? 2 : 0;
}

// The client converts between its floats and the device's 16, 24 or 32-bit integers; those pairs
// get constant strides when they step by one or two samples and the integers fill their
// containers, every other pair the general loop.
CopyLoop loopFor(const ZR_Rts_Format& s, const ZR_Rts_Format& d) {
  const Kind from = kindOf(s), to = kindOf(d);
  const bool narrow = !s.floating && s.significant <= 24;
  const int ss = stepOf(s), ds = stepOf(d);
  if (to == kFloat32 && ss != 0 && ds != 0 && s.significant == 8 * s.containerBytes) {
    if (from == kInt16) return stepped<kInt16, kFloat32, true>(ss, ds);
    if (from == kInt24) return stepped<kInt24, kFloat32, true>(ss, ds);
    if (from == kInt32) return stepped<kInt32, kFloat32, false>(ss, ds);
  }
  if (from == kFloat32 && ss != 0 && ds != 0 && !d.floating && d.significant == 8 * d.containerBytes) {
    if (to == kInt16) return stepped<kFloat32, kInt16, false>(ss, ds);
    if (to == kInt24) return stepped<kFloat32, kInt24, false>(ss, ds);
    if (to == kInt32) return stepped<kFloat32, kInt32, false>(ss, ds);
  }
  if (to == kFloat32 && narrow) return kNarrowToFloat32[from];
  return kLoops[from][to];
}

}  // namespace

ZR_error ZR_Rts::copyBuffer(Chan* destination, const Chan* source) {
  if (!destination || !source || destination->count != source->count || source->count < 0) return nullptr;
  ZR_Rts_Format d, s;
  if (!ZR_Rts_format_decode(destination->format, &d) || !ZR_Rts_format_decode(source->format, &s))
    return nullptr;
  if (!destination->buffer || !source->buffer) return nullptr;
  const Shifts shifts{32 - s.significant, 32 - d.significant};
  loopFor(s, d)(destination->buffer, d.stride, source->buffer, s.stride, source->count, shifts);
  return ZR_OK;
}
