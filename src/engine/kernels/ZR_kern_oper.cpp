#include "engine/kernels/ZR_kern_oper.h"

#include "cmd/ZR_word.h"
#include "engine/kernels/ZR_kern_mode.h"

// Named here once: the two-input and the constant nodes share the operators and their words.
const char* const ZR_oper_names[ZR_OPER_COUNT] = {"add", "sub", "mul", "div"};

// The per-sample operators of the two-input and the constant kernels. Products and quotients are
// fixed-point with 2^24 as unity. "add" of two signals and the scaling operators saturate, because
// a wrap there would turn a loud sum into a full-scale click of the other sign; "sub" and the
// constant shifts wrap like every mode step.
namespace {

struct AddWrap {
  static int32_t apply(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
  }
};

struct AddSaturate {
  static int32_t apply(int32_t a, int32_t b) { return ZR_word_saturated(int64_t{a} + b); }
};

struct SubWrap {
  static int32_t apply(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) - static_cast<uint32_t>(b));
  }
};

// floor(a * b / 2^24), clamped to the sample range.
struct Mul {
  static int32_t apply(int32_t a, int32_t b) { return ZR_word_saturated((int64_t{a} * b) >> 24); }
};

// Both magnitudes are raised by one, so a zero divisor acts as magnitude 1 and nothing divides by
// zero. The magnitudes are unsigned: -2^31 has the magnitude 2^31 and its raised magnitude
// 2^31 + 1 still fits, so that operand needs no case of its own. Negative tells which operands
// count as negative for the sign of the result.
template <typename Negative>
struct Div {
  static int32_t apply(int32_t a, int32_t b) {
    const uint64_t dividend = uint64_t{magnitude(a) + 1u} << 24;
    const uint64_t quotient = dividend / (uint64_t{magnitude(b)} + 1u);
    const bool negative = Negative::test(a) != Negative::test(b);
    if (quotient >= 0x80000000u) return negative ? INT32_MIN : INT32_MAX;
    const int32_t q = static_cast<int32_t>(quotient);
    return negative ? -q : q;
  }
  static uint32_t magnitude(int32_t v) {
    return v < 0 ? 0u - static_cast<uint32_t>(v) : static_cast<uint32_t>(v);
  }
};

// The two-input "div": zero counts as positive.
struct BelowZero {
  static bool test(int32_t v) { return v < 0; }
};
// The constant "div": zero counts as negative.
struct NotAboveZero {
  static bool test(int32_t v) { return !(v > 0); }
};

template <typename Op, int32_t M>
void oper(const int32_t* in1, const int32_t* in2, int32_t* out, int32_t count) {
  for (int32_t i = 0; i < count; ++i) ZR_mode_write<M>(out[i], Op::apply(in1[i], in2[i]));
}

template <typename Op, int32_t M>
void koef(const int32_t* in, int32_t* out, int32_t count, int32_t k) {
  for (int32_t i = 0; i < count; ++i) ZR_mode_write<M>(out[i], Op::apply(in[i], k));
}

}  // namespace

// Operator-major: per operator two lines of the modes set, add, sub / stn, adn, sbn.
// clang-format off
const ZR_kern_oper_fn ZR_kern_oper[24] = {
    oper<AddSaturate, 0>,       oper<AddSaturate, 1>,       oper<AddSaturate, 2>,
    oper<AddSaturate, 3>,       oper<AddSaturate, 4>,       oper<AddSaturate, 5>,
    oper<SubWrap, 0>,           oper<SubWrap, 1>,           oper<SubWrap, 2>,
    oper<SubWrap, 3>,           oper<SubWrap, 4>,           oper<SubWrap, 5>,
    oper<Mul, 0>,               oper<Mul, 1>,               oper<Mul, 2>,
    oper<Mul, 3>,               oper<Mul, 4>,               oper<Mul, 5>,
    oper<Div<BelowZero>, 0>,    oper<Div<BelowZero>, 1>,    oper<Div<BelowZero>, 2>,
    oper<Div<BelowZero>, 3>,    oper<Div<BelowZero>, 4>,    oper<Div<BelowZero>, 5>,
};

const ZR_kern_koef_fn ZR_kern_koef[24] = {
    koef<AddWrap, 0>,           koef<AddWrap, 1>,           koef<AddWrap, 2>,
    koef<AddWrap, 3>,           koef<AddWrap, 4>,           koef<AddWrap, 5>,
    koef<SubWrap, 0>,           koef<SubWrap, 1>,           koef<SubWrap, 2>,
    koef<SubWrap, 3>,           koef<SubWrap, 4>,           koef<SubWrap, 5>,
    koef<Mul, 0>,               koef<Mul, 1>,               koef<Mul, 2>,
    koef<Mul, 3>,               koef<Mul, 4>,               koef<Mul, 5>,
    koef<Div<NotAboveZero>, 0>, koef<Div<NotAboveZero>, 1>, koef<Div<NotAboveZero>, 2>,
    koef<Div<NotAboveZero>, 3>, koef<Div<NotAboveZero>, 4>, koef<Div<NotAboveZero>, 5>,
};
// clang-format on
