#include "engine/nodes/ZR_Effect_Ampdet.h"

#include <cmath>

#include "cmd/ZR_value_read.h"
#include "engine/ZR_Buffer.h"
#include "engine/kernels/ZR_kern_ampdet.h"

namespace {

ZR_Effect_Ampdet* of(ZR_Object* object) { return static_cast<ZR_Effect_Ampdet*>(object); }

// The coefficient follows its frequency at once when the clock is known; until then it stays.
ZR_value frequency(ZR_Effect_Ampdet* self, std::atomic<float>& field, std::atomic<int32_t>& coefficient,
                   ZR_value value) {
  float f;
  if (value.isSet() && ZR_number_real(value, &f) && f >= 0 && std::isfinite(f)) {
    field.store(f, std::memory_order_relaxed);
    const int32_t fs = self->clock.load(std::memory_order_relaxed);
    if (fs > 0) coefficient.store(ZR_Effect_Ampdet::coefficientFor(f, fs), std::memory_order_relaxed);
  }
  return ZR_value::real(field.load(std::memory_order_relaxed));
}

}  // namespace

int32_t ZR_Effect_Ampdet::coefficientFor(float f, int32_t fs) {
  if (f == 0) return INT32_MAX;
  // pi 2^31 and pi as the follower has always used them. A huge f makes the quotient reach 2^31,
  // which saturates rather than wraps to the most negative coefficient.
  return ZR_word_truncated(f * 6746518852.261009 / (f * 3.141592653589793 + fs * 0.5));
}

void ZR_Effect_Ampdet::recompute() {
  const int32_t fs = clock.load(std::memory_order_relaxed);
  if (fs <= 0) return;
  attack.store(coefficientFor(attackFrequency.load(std::memory_order_relaxed), fs),
               std::memory_order_relaxed);
  release.store(coefficientFor(releaseFrequency.load(std::memory_order_relaxed), fs),
                std::memory_order_relaxed);
}

void ZR_Effect_Ampdet::process() {
  if (!input || (!output && !magnitude)) return;
  int32_t n = input->blockLength();
  if (output && output->blockLength() < n) n = output->blockLength();
  if (magnitude && magnitude->blockLength() < n) n = magnitude->blockLength();
  if (n <= 0) return;
  int32_t* abs = magnitude ? samples(magnitude) : nullptr;
  int32_t* out = output ? samples(output) : nullptr;
  const int32_t* in = samples(input);
  ZR_kern_ampdet[modeIndex()](in, out, abs, n, attack.load(std::memory_order_relaxed),
                              release.load(std::memory_order_relaxed), &envelope);
}

ZR_Object* ZR_Effect_Ampdet::create() { return new ZR_Effect_Ampdet; }

ZR_value ZR_Effect_Ampdet::m_i(ZR_Object* object, ZR_value value) {
  return bufferOption(&of(object)->input, value);
}

ZR_value ZR_Effect_Ampdet::m_o(ZR_Object* object, ZR_value value) {
  return bufferOption(&of(object)->output, value);
}

ZR_value ZR_Effect_Ampdet::m_a(ZR_Object* object, ZR_value value) {
  return bufferOption(&of(object)->magnitude, value);
}

ZR_value ZR_Effect_Ampdet::m_f1(ZR_Object* object, ZR_value value) {
  ZR_Effect_Ampdet* self = of(object);
  return frequency(self, self->attackFrequency, self->attack, value);
}

ZR_value ZR_Effect_Ampdet::m_f2(ZR_Object* object, ZR_value value) {
  ZR_Effect_Ampdet* self = of(object);
  return frequency(self, self->releaseFrequency, self->release, value);
}

const ZR_Option ZR_Effect_Ampdet::table[] = {
    ZR_OPTION_CONSTRUCTOR(ZR_Effect_Ampdet::create),
    ZR_OPTION("i", m_i),
    ZR_OPTION("o", m_o),
    ZR_OPTION("a", m_a),
    ZR_OPTION("f1", m_f1),
    ZR_OPTION("f2", m_f2),
    ZR_OPTION_NEXT(ZR_Effect::table),
};
