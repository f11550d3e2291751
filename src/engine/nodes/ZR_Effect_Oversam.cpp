#include "engine/nodes/ZR_Effect_Oversam.h"

#include "cmd/ZR_value_read.h"
#include "engine/ZR_Buffer.h"

namespace {
ZR_Effect_Oversam* of(ZR_Object* object) { return static_cast<ZR_Effect_Oversam*>(object); }
}  // namespace

// Between p0 and p1 the curve is (8 - a)(p0 + a m0) + a (p1 - (8 - a) m1) for a = 0..7: the two
// tangent lines at p0 and p1, blended linearly. Samples are divided by 8 first, so for inputs up to
// full scale (2^30) every step fits 32 bits; beyond that the products are taken in 64 bits and the
// output saturates.
void ZR_Effect_Oversam::process() {
  if (!input || !output || output->lengthSetting <= 0) return;
  const int64_t available = int64_t{input->blockLength()} * 8;
  int32_t m = output->blockLength();
  if (m > available) m = static_cast<int32_t>(available);
  if (m <= 0) return;
  const int32_t* in = samples(input);
  int32_t* out = samples(output);
  int64_t q0 = p0, q1 = p1, q2 = p2, s0 = m0, s1 = m1;
  for (int32_t i = 0; i < m; ++i) {
    const int32_t j = i / 8, a = i % 8;
    if (a == 0) {
      s0 = s1;
      q0 = q1;
      q1 = q2;
      q2 = in[j] / 8;
      s1 = ((q2 - q0) / 2) / 8;
    }
    out[i] = ZR_word_saturated((8 - a) * (q0 + a * s0) + a * (q1 - (8 - a) * s1));
  }
  p0 = static_cast<int32_t>(q0);
  p1 = static_cast<int32_t>(q1);
  p2 = static_cast<int32_t>(q2);
  m0 = static_cast<int32_t>(s0);
  m1 = static_cast<int32_t>(s1);
}

ZR_Object* ZR_Effect_Oversam::create() { return new ZR_Effect_Oversam; }

ZR_value ZR_Effect_Oversam::m_i(ZR_Object* object, ZR_value value) {
  return bufferOption(&of(object)->input, value);
}

ZR_value ZR_Effect_Oversam::m_o(ZR_Object* object, ZR_value value) {
  return bufferOption(&of(object)->output, value);
}

ZR_value ZR_Effect_Oversam::m_k(ZR_Object* object, ZR_value value) {
  ZR_Effect_Oversam* self = of(object);
  int32_t k;
  if (value.isSet() && ZR_number_truncated(value, &k)) self->k.store(k, std::memory_order_relaxed);
  return ZR_value::integer(self->k.load(std::memory_order_relaxed));
}

const ZR_Option ZR_Effect_Oversam::table[] = {
    ZR_OPTION_CONSTRUCTOR(ZR_Effect_Oversam::create),
    ZR_OPTION("i", m_i),
    ZR_OPTION("o", m_o),
    ZR_OPTION("k", m_k),
    ZR_OPTION_NEXT(ZR_Effect::table),
};
