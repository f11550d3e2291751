#include "engine/nodes/ZR_Effect_Koef.h"

#include <cmath>

#include "cmd/ZR_value_read.h"
#include "engine/ZR_Buffer.h"

namespace {
ZR_Effect_Koef* of(ZR_Object* object) { return static_cast<ZR_Effect_Koef*>(object); }
}  // namespace

int32_t ZR_Effect_Koef::constantFor(float v) {
  const long double k = v * (1.0L / 127) * 2147483648.0L;
  // 127 itself would be 2^31: saturate rather than wrap to the most negative constant.
  return ZR_word_truncated(k);
}

void ZR_Effect_Koef::process() {
  if (!input || !output) return;
  int32_t n = input->blockLength();
  if (output->blockLength() < n) n = output->blockLength();
  if (n <= 0) return;
  int32_t* out = samples(output);
  const int32_t* in = samples(input);
  const int32_t entry = oper.load(std::memory_order_relaxed) * ZR_MODE_COUNT + modeIndex();
  ZR_kern_koef[entry](in, out, n, k.load(std::memory_order_relaxed));
}

ZR_Object* ZR_Effect_Koef::create() { return new ZR_Effect_Koef; }

ZR_value ZR_Effect_Koef::m_i(ZR_Object* object, ZR_value value) {
  return bufferOption(&of(object)->input, value);
}

ZR_value ZR_Effect_Koef::m_o(ZR_Object* object, ZR_value value) {
  return bufferOption(&of(object)->output, value);
}

ZR_value ZR_Effect_Koef::m_oper(ZR_Object* object, ZR_value value) {
  ZR_Effect_Koef* self = of(object);
  const int32_t r = ZR_name_index(ZR_oper_names, ZR_OPER_COUNT, value);
  if (r >= 0) self->oper.store(r, std::memory_order_relaxed);
  return ZR_value::text(ZR_oper_names[self->oper.load(std::memory_order_relaxed)]);
}

ZR_value ZR_Effect_Koef::m_k(ZR_Object* object, ZR_value value) {
  ZR_Effect_Koef* self = of(object);
  float v;
  if (value.isSet() && ZR_number_real(value, &v) && std::isfinite(v))
    self->k.store(constantFor(v), std::memory_order_relaxed);
  return ZR_value::integer(self->k.load(std::memory_order_relaxed));
}

const ZR_Option ZR_Effect_Koef::table[] = {
    ZR_OPTION_CONSTRUCTOR(ZR_Effect_Koef::create),
    ZR_OPTION("i", m_i),
    ZR_OPTION("o", m_o),
    ZR_OPTION("oper", m_oper),
    ZR_OPTION("k", m_k),
    ZR_OPTION_NEXT(ZR_Effect::table),
};
