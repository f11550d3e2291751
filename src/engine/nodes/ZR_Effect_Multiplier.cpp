#include "engine/nodes/ZR_Effect_Multiplier.h"

#include "cmd/ZR_value_read.h"
#include "engine/ZR_Buffer.h"

namespace {
ZR_Effect_Multiplier* of(ZR_Object* object) { return static_cast<ZR_Effect_Multiplier*>(object); }
}  // namespace

bool ZR_Effect_Multiplier::blockArrays(const int32_t** in, int32_t** out, int32_t* n) {
  if (!input || !output) return false;
  const int32_t inputLength = input->blockLength();
  const int32_t outputLength = output->blockLength();
  *n = inputLength < outputLength ? inputLength : outputLength;
  if (*n <= 0) return false;
  *in = samples(input);
  *out = samples(output);
  return true;
}

ZR_value ZR_Effect_Multiplier::m_i(ZR_Object* object, ZR_value value) {
  return bufferOption(&of(object)->input, value);
}

ZR_value ZR_Effect_Multiplier::m_o(ZR_Object* object, ZR_value value) {
  return bufferOption(&of(object)->output, value);
}

ZR_value ZR_Effect_Multiplier::m_k(ZR_Object* object, ZR_value value) {
  ZR_Effect_Multiplier* self = of(object);
  int32_t k;
  if (value.isSet() && ZR_number_truncated(value, &k) && k >= 1) self->k.store(k, std::memory_order_relaxed);
  return ZR_value::integer(self->k.load(std::memory_order_relaxed));
}
