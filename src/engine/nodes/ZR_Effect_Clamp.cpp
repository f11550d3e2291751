#include "engine/nodes/ZR_Effect_Clamp.h"

#include "cmd/ZR_value_read.h"
#include "engine/ZR_Buffer.h"

namespace {
ZR_Effect_Clamp* of(ZR_Object* object) { return static_cast<ZR_Effect_Clamp*>(object); }
}  // namespace

template <bool Above>
void ZR_Effect_Clamp::clampBlock() {
  if (!input || !output) return;
  const int32_t inputLength = input->blockLength();
  const int32_t outputLength = output->blockLength();
  const int32_t n = inputLength < outputLength ? inputLength : outputLength;
  if (n <= 0) return;
  const int32_t* in = samples(input);
  int32_t* out = samples(output);
  const int32_t l = limit.load(std::memory_order_relaxed);
  for (int32_t i = n - 1; i >= 0; --i) {
    const int32_t x = in[i];
    out[i] = (Above ? x > l : x < l) ? x : l;
  }
}

template void ZR_Effect_Clamp::clampBlock<true>();
template void ZR_Effect_Clamp::clampBlock<false>();

ZR_value ZR_Effect_Clamp::m_i(ZR_Object* object, ZR_value value) {
  return bufferOption(&of(object)->input, value);
}

ZR_value ZR_Effect_Clamp::m_o(ZR_Object* object, ZR_value value) {
  return bufferOption(&of(object)->output, value);
}

ZR_value ZR_Effect_Clamp::m_l(ZR_Object* object, ZR_value value) {
  ZR_Effect_Clamp* self = of(object);
  int32_t l;
  if (value.isSet() && ZR_number_truncated(value, &l)) self->limit.store(l, std::memory_order_relaxed);
  return ZR_value::integer(self->limit.load(std::memory_order_relaxed));
}
