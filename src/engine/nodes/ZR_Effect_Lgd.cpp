#include "engine/nodes/ZR_Effect_Lgd.h"

#include <cmath>

#include "cmd/ZR_value_read.h"
#include "engine/ZR_Buffer.h"

namespace {
ZR_Effect_Lgd* of(ZR_Object* object) { return static_cast<ZR_Effect_Lgd*>(object); }
}  // namespace

// Samples are read as fractions of 2^31. Above c the level rises by a tenth of the excess per
// sample; below it falls back with a weight that shrinks toward 0.01 as s nears zero, so the
// limiter lets go slowly. At s = 0 (e = 1) the input passes unchanged.
void ZR_Effect_Lgd::process() {
  if (!input || !output) return;
  const int32_t inputLength = input->blockLength();
  const int32_t outputLength = output->blockLength();
  const int32_t n = inputLength < outputLength ? inputLength : outputLength;
  if (n <= 0) return;
  const int32_t* in = samples(input);
  int32_t* out = samples(output);
  const double c = threshold.load(std::memory_order_relaxed);
  double s = level;
  for (int32_t i = 0; i < n; ++i) {
    const double x = in[i] * (1.0 / 2147483648.0);
    const double e = 0.01 / (s + 0.01);
    const double y = (1 - e) * c + x * e;
    const double delta = x - c;
    const double g = delta > 0 || s > 0.1 ? 1.0 : std::sqrt(1.0001 - (s - 0.1) * (s - 0.1) / 0.1 / 0.1);
    s = g * delta * 0.1 + s;
    if (!(s >= 0)) s = 0;
    out[i] = ZR_word_truncated(y * 2147483648.0);
  }
  level = s;
}

ZR_Object* ZR_Effect_Lgd::create() { return new ZR_Effect_Lgd; }

ZR_value ZR_Effect_Lgd::m_i(ZR_Object* object, ZR_value value) {
  return bufferOption(&of(object)->input, value);
}

ZR_value ZR_Effect_Lgd::m_o(ZR_Object* object, ZR_value value) {
  return bufferOption(&of(object)->output, value);
}

ZR_value ZR_Effect_Lgd::m_c(ZR_Object* object, ZR_value value) {
  ZR_Effect_Lgd* self = of(object);
  float c;
  if (value.isSet() && ZR_number_real(value, &c) && std::isfinite(c))
    self->threshold.store(c, std::memory_order_relaxed);
  return ZR_value::real(static_cast<float>(self->threshold.load(std::memory_order_relaxed)));
}

const ZR_Option ZR_Effect_Lgd::table[] = {
    ZR_OPTION_CONSTRUCTOR(ZR_Effect_Lgd::create),
    ZR_OPTION("i", m_i),
    ZR_OPTION("o", m_o),
    ZR_OPTION("c", m_c),
    ZR_OPTION_NEXT(ZR_Effect::table),
};
