#include "engine/nodes/ZR_Effect_Bapass.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <utility>

#include "cmd/ZR_value_read.h"
#include "engine/ZR_Buffer.h"
#include "engine/kernels/ZR_kern_bapass.h"

namespace {

ZR_Effect_Bapass* of(ZR_Object* object) { return static_cast<ZR_Effect_Bapass*>(object); }

}  // namespace

ZR_Effect_Bapass::Coefficients ZR_Effect_Bapass::coefficientsFor(float f, float q, int32_t fs) {
  const double pi = 3.141592653589793;
  double a = double{f} * q;
  double b = double{f} / q;
  if (a > b) std::swap(a, b);  // q > 1 names the same band with its edges the other way round
  const double wA = a * 2 * pi;
  const double wB = b * 2 * pi;
  const double d = (wB - wA) / (wB * wA);
  const double e = 1 / (wB * wA);
  const double g = fs * d * 0.5;
  const double h = fs * e * fs;
  Coefficients c;
  c.c1f = (2 * g + 1) / (g + h);
  c.c2f = 2 * g / (g + h);
  c.c3f = g / (g + h);
  // Near Nyquist c1 grows past 2^31 (at 44.1 kHz from about 9926 Hz on). A wrapped coefficient
  // would flip sign and make the recursion blow up into full-scale noise; the nearest value that
  // fits keeps it bounded.
  c.c1 = ZR_word_truncated(c.c1f * 32768 * 65536 * 0.5);
  c.c2 = ZR_word_truncated(c.c2f * 32768 * 65536);
  c.c3 = ZR_word_truncated(c.c3f * 32768 * 65536);
  return c;
}

void ZR_Effect_Bapass::recompute() {
  const float f = frequency.load(std::memory_order_relaxed);
  const float q = ratio.load(std::memory_order_relaxed);
  const int32_t fs = clock.load(std::memory_order_relaxed);
  if (!(f > 0) || !(q > 0) || q == 1 || fs <= 0) return;
  const Coefficients c = coefficientsFor(f, q, fs);
  // A band too narrow for double precision (f or q near zero) has no coefficients at all.
  if (!std::isfinite(c.c1f) || !std::isfinite(c.c2f) || !std::isfinite(c.c3f)) return;
  publish([&] {
    c1f.store(c.c1f, std::memory_order_release);
    c2f.store(c.c2f, std::memory_order_release);
    c3f.store(c.c3f, std::memory_order_release);
    c1.store(c.c1, std::memory_order_release);
    c2.store(c.c2, std::memory_order_release);
    c3.store(c.c3, std::memory_order_release);
  });
}

void ZR_Effect_Bapass::stageCoefficients() {
  staged_.c1f = c1f.load(std::memory_order_acquire);
  staged_.c2f = c2f.load(std::memory_order_acquire);
  staged_.c3f = c3f.load(std::memory_order_acquire);
  staged_.c1 = c1.load(std::memory_order_acquire);
  staged_.c2 = c2.load(std::memory_order_acquire);
  staged_.c3 = c3.load(std::memory_order_acquire);
}

void ZR_Effect_Bapass::reset() {
  x1 = x2 = y1 = y2 = 0;
  x1f = x2f = y1f = y2f = 0;
}

void ZR_Effect_Bapass::reportStatus(int32_t status) {
  if (status == 0 || errorCode != 0) return;
  std::printf("ZR_Effect_Bapass error %d\n", status);
  errorCode = status;
}

// The recursion of the integer kernel in double precision, evaluated left to right as written;
// the mode merge is done in double and only its result is truncated.
template <int32_t M>
void ZR_Effect_Bapass::floatingBlock(ZR_Effect_Bapass& node, const int32_t* in, int32_t* out, int32_t n) {
  const double k1 = node.inForce_.c1f;
  const double k2 = node.inForce_.c2f;
  const double k3 = node.inForce_.c3f;
  double x1 = node.x1f, x2 = node.x2f, y1 = node.y1f, y2 = node.y2f;
  for (int32_t i = 0; i < n; ++i) {
    const double x = in[i];
    const double y = (x - x2) * k3 - y2 + y2 * k2 + y1 + y1 - y1 * k1;
    out[i] = ZR_word_low_bits(ZR_mode_combine<M>(out[i], y));
    x2 = x1;
    x1 = x;
    y2 = y1;
    y1 = y;
  }
  node.x1f = x1;
  node.x2f = x2;
  node.y1f = y1;
  node.y2f = y2;
}

void (*const ZR_Effect_Bapass::floatingBlocks[ZR_MODE_COUNT])(ZR_Effect_Bapass&, const int32_t*, int32_t*,
                                                              int32_t) = {
    floatingBlock<ZR_MODE_SET>, floatingBlock<ZR_MODE_ADD>, floatingBlock<ZR_MODE_SUB>,
    floatingBlock<ZR_MODE_STN>, floatingBlock<ZR_MODE_ADN>, floatingBlock<ZR_MODE_SBN>,
};

void ZR_Effect_Bapass::process() {
  if (!input || !output) return;
  const int32_t inputLength = input->blockLength();
  const int32_t outputLength = output->blockLength();
  const int32_t n = inputLength < outputLength ? inputLength : outputLength;
  if (n <= 0) return;
  const int32_t m = modeIndex();
  if (floating.load(std::memory_order_relaxed)) {
    const int32_t* in = samples(input);
    int32_t* out = samples(output);
    floatingBlocks[m](*this, in, out, n);
    return;
  }
  int32_t* out = samples(output);
  const int32_t* in = samples(input);
  reportStatus(ZR_kern_bapass[m](in, out, n, inForce_.c1, inForce_.c2, inForce_.c3, &x1, &x2, &y1, &y2));
}

ZR_Object* ZR_Effect_Bapass::create() { return new ZR_Effect_Bapass; }

ZR_value ZR_Effect_Bapass::m_i(ZR_Object* object, ZR_value value) {
  return bufferOption(&of(object)->input, value);
}

ZR_value ZR_Effect_Bapass::m_o(ZR_Object* object, ZR_value value) {
  return bufferOption(&of(object)->output, value);
}

ZR_value ZR_Effect_Bapass::m_f(ZR_Object* object, ZR_value value) {
  ZR_Effect_Bapass* self = of(object);
  float f;
  if (value.isSet() && ZR_number_real(value, &f) && f >= 0 && std::isfinite(f)) {
    self->frequency.store(f, std::memory_order_relaxed);
    self->recompute();
  }
  return ZR_value::real(self->frequency.load(std::memory_order_relaxed));
}

ZR_value ZR_Effect_Bapass::m_q(ZR_Object* object, ZR_value value) {
  ZR_Effect_Bapass* self = of(object);
  float q;
  if (value.isSet() && ZR_number_real(value, &q) && q >= 0 && std::isfinite(q)) {
    self->ratio.store(q, std::memory_order_relaxed);
    self->recompute();
  }
  return ZR_value::real(self->ratio.load(std::memory_order_relaxed));
}

ZR_value ZR_Effect_Bapass::m_a(ZR_Object* object, ZR_value value) {
  ZR_Effect_Bapass* self = of(object);
  if (value.kind == ZR_KIND_TEXT && value.value.s)
    self->floating.store(std::strcmp(value.value.s, "floating") == 0, std::memory_order_relaxed);
  return ZR_value::text(self->floating.load(std::memory_order_relaxed) ? "floating" : "integer");
}

const ZR_Option ZR_Effect_Bapass::table[] = {
    ZR_OPTION_CONSTRUCTOR(ZR_Effect_Bapass::create),
    ZR_OPTION("i", m_i),
    ZR_OPTION("o", m_o),
    ZR_OPTION("f", m_f),
    ZR_OPTION("q", m_q),
    ZR_OPTION("a", m_a),
    ZR_OPTION_NEXT(ZR_Effect::table),
};
