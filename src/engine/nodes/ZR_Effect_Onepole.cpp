#include "engine/nodes/ZR_Effect_Onepole.h"

#include "cmd/ZR_value_read.h"
#include "engine/ZR_Buffer.h"

namespace {
ZR_Effect_Onepole* of(ZR_Object* object) { return static_cast<ZR_Effect_Onepole*>(object); }
}  // namespace

uint32_t ZR_Effect_Onepole::coefficientFor(int32_t f, int32_t fs) {
  // pi 2^32 and pi as the constants the filter has always used; the quotient is below 2^32.
  const double a = f * 13493037704.522018 / (f * 3.141592653589793 + fs * 0.5);
  return static_cast<uint32_t>(static_cast<uint64_t>(a));
}

void ZR_Effect_Onepole::recompute() {
  // Until both are known (and for nonsense rates) the previous coefficient stays in force.
  const int32_t f = frequency.load(std::memory_order_relaxed);
  const int32_t fs = clock.load(std::memory_order_relaxed);
  if (f > 0 && fs > 0) publish([&] { coefficient.store(coefficientFor(f, fs), std::memory_order_release); });
}

bool ZR_Effect_Onepole::blockArrays(const int32_t** in, int32_t** out, int32_t* n) {
  if (!input || !output) return false;
  const int32_t inputLength = input->blockLength();
  const int32_t outputLength = output->blockLength();
  *n = inputLength < outputLength ? inputLength : outputLength;
  if (*n <= 0) return false;
  *out = samples(output);
  *in = samples(input);
  return true;
}

ZR_value ZR_Effect_Onepole::m_i(ZR_Object* object, ZR_value value) {
  return bufferOption(&of(object)->input, value);
}

ZR_value ZR_Effect_Onepole::m_o(ZR_Object* object, ZR_value value) {
  return bufferOption(&of(object)->output, value);
}

ZR_value ZR_Effect_Onepole::m_f(ZR_Object* object, ZR_value value) {
  ZR_Effect_Onepole* self = of(object);
  int32_t f;
  if (value.isSet() && ZR_number_truncated(value, &f) && f >= 0) {
    self->frequency.store(f, std::memory_order_relaxed);
    self->recompute();
  }
  return ZR_value::integer(self->frequency.load(std::memory_order_relaxed));
}
