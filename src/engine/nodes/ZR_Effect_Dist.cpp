#include "engine/nodes/ZR_Effect_Dist.h"

#include "cmd/ZR_value_read.h"
#include "engine/ZR_Buffer.h"
#include "engine/kernels/ZR_kern_dist.h"

namespace {
ZR_Effect_Dist* of(ZR_Object* object) { return static_cast<ZR_Effect_Dist*>(object); }
}  // namespace

ZR_Effect_Dist::ZR_Effect_Dist() { updateLevels(); }

int32_t ZR_Effect_Dist::rateFor(float k, int32_t fs) {
  // k = 1 below 48 kHz gives more than 2^31 (2337397166 at 44.1 kHz): the nearest word is taken.
  return ZR_word_truncated(double{k} * 48000 / fs * 2147483647);
}

void ZR_Effect_Dist::levelsFor(int32_t d, double s, int32_t* b, int32_t* h) {
  *b = ZR_word_truncated(d * (1 - s));
  *h = static_cast<int32_t>((int64_t{d} - *b) / 2);
}

void ZR_Effect_Dist::updateLevels() {
  int32_t b, h;
  levelsFor(drive.load(std::memory_order_relaxed), softness.load(std::memory_order_relaxed), &b, &h);
  clipLevel.store(b, std::memory_order_relaxed);
  halfWidth.store(h, std::memory_order_relaxed);
}

void ZR_Effect_Dist::recompute() {
  const int32_t fs = clock.load(std::memory_order_relaxed);
  if (fs > 0) rate.store(rateFor(k.load(std::memory_order_relaxed), fs), std::memory_order_relaxed);
}

void ZR_Effect_Dist::process() {
  if (!input || !output) return;
  const int32_t inputLength = input->blockLength();
  const int32_t outputLength = output->blockLength();
  const int32_t n = inputLength < outputLength ? inputLength : outputLength;
  if (n <= 0) return;
  const int32_t* in = samples(input);
  int32_t* out = samples(output);
  ZR_kern_dist(in, out, n, &offset, clipLevel.load(std::memory_order_relaxed),
               halfWidth.load(std::memory_order_relaxed), rate.load(std::memory_order_relaxed), kKneeShift,
               flags.load(std::memory_order_relaxed));
}

ZR_Object* ZR_Effect_Dist::create() { return new ZR_Effect_Dist; }

ZR_value ZR_Effect_Dist::m_i(ZR_Object* object, ZR_value value) {
  return bufferOption(&of(object)->input, value);
}

ZR_value ZR_Effect_Dist::m_o(ZR_Object* object, ZR_value value) {
  return bufferOption(&of(object)->output, value);
}

ZR_value ZR_Effect_Dist::m_d(ZR_Object* object, ZR_value value) {
  ZR_Effect_Dist* self = of(object);
  float v;
  if (value.isSet() && ZR_number_real(value, &v)) {
    self->drive.store(ZR_word_truncated(v * 536870912.0L), std::memory_order_relaxed);
    self->updateLevels();
  }
  return ZR_value::real(static_cast<float>(self->drive.load(std::memory_order_relaxed) / 1073741824.0));
}

ZR_value ZR_Effect_Dist::m_s(ZR_Object* object, ZR_value value) {
  ZR_Effect_Dist* self = of(object);
  float s;
  if (value.isSet() && ZR_number_real(value, &s)) {
    self->softness.store(s, std::memory_order_relaxed);
    self->updateLevels();
  }
  return ZR_value::real(static_cast<float>(self->softness.load(std::memory_order_relaxed)));
}

ZR_value ZR_Effect_Dist::m_k(ZR_Object* object, ZR_value value) {
  ZR_Effect_Dist* self = of(object);
  float k;
  if (value.isSet() && ZR_number_real(value, &k) && k >= 0) {
    self->k.store(k, std::memory_order_relaxed);
    self->recompute();
  }
  return ZR_value::real(self->k.load(std::memory_order_relaxed));
}

ZR_value ZR_Effect_Dist::m_l(ZR_Object* object, ZR_value value) {
  ZR_Effect_Dist* self = of(object);
  int32_t l;
  if (value.isSet() && ZR_number_truncated(value, &l)) self->flags.store(l, std::memory_order_relaxed);
  return ZR_value::integer(self->flags.load(std::memory_order_relaxed));
}

const ZR_Option ZR_Effect_Dist::table[] = {
    ZR_OPTION_CONSTRUCTOR(ZR_Effect_Dist::create),
    ZR_OPTION("i", m_i),
    ZR_OPTION("o", m_o),
    ZR_OPTION("d", m_d),
    ZR_OPTION("s", m_s),
    ZR_OPTION("k", m_k),
    ZR_OPTION("l", m_l),
    ZR_OPTION_NEXT(ZR_Effect::table),
};
