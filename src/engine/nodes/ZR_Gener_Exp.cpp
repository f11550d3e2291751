#include "engine/nodes/ZR_Gener_Exp.h"

#include <cmath>

#include "cmd/ZR_value_read.h"
#include "engine/ZR_Buffer.h"

namespace {
ZR_Gener_Exp* of(ZR_Object* object) { return static_cast<ZR_Gener_Exp*>(object); }
}  // namespace

void ZR_Gener_Exp::process() {
  if (!output) return;
  const int32_t n = output->blockLength();
  const int32_t fs = clock.load(std::memory_order_relaxed);
  // Without a rate there is no time axis: the block is left as it is.
  if (n <= 0 || fs <= 0) return;
  int32_t* out = samples(output);
  if (restartPending.exchange(false, std::memory_order_relaxed)) counter = 0;
  const double start = beg.load(std::memory_order_relaxed);
  const double constant = time.load(std::memory_order_relaxed);
  int32_t count = counter;
  for (int32_t i = 0; i < n; ++i) {
    const double t = static_cast<double>(count) / fs;
    const double e = t > start ? std::exp(-(t - start) / constant) : 1.0;
    out[i] = ZR_word_truncated(e * 33554432.0);
    if (count < INT32_MAX) ++count;
  }
  counter = count;
}

ZR_Object* ZR_Gener_Exp::create() { return new ZR_Gener_Exp; }

ZR_value ZR_Gener_Exp::m_beg(ZR_Object* object, ZR_value value) {
  ZR_Gener_Exp* self = of(object);
  float beg;
  if (value.isSet() && ZR_number_real(value, &beg)) self->beg.store(beg, std::memory_order_relaxed);
  return ZR_value::real(self->beg.load(std::memory_order_relaxed));
}

ZR_value ZR_Gener_Exp::m_time(ZR_Object* object, ZR_value value) {
  ZR_Gener_Exp* self = of(object);
  float time;
  if (value.isSet() && ZR_number_real(value, &time) && time >= 0 && std::isfinite(time))
    self->time.store(time, std::memory_order_relaxed);
  return ZR_value::real(self->time.load(std::memory_order_relaxed));
}

ZR_value ZR_Gener_Exp::m_o(ZR_Object* object, ZR_value value) {
  return bufferOption(&of(object)->output, value);
}

const ZR_Option ZR_Gener_Exp::table[] = {
    ZR_OPTION_CONSTRUCTOR(ZR_Gener_Exp::create),
    ZR_OPTION("beg", m_beg),
    ZR_OPTION("time", m_time),
    ZR_OPTION("o", m_o),
    ZR_OPTION_NEXT(ZR_Gener::table),
};
