#include "engine/nodes/ZR_Effect_Shifter.h"

#include <cmath>

#include "cmd/ZR_value_read.h"
#include "engine/ZR_Buffer.h"

namespace {
ZR_Effect_Shifter* of(ZR_Object* object) { return static_cast<ZR_Effect_Shifter*>(object); }
}  // namespace

int32_t ZR_Effect_Shifter::windowFor(int32_t fs) {
  return ZR_word_truncated(fs * 8388608.0L * (1.0L / 48000));
}

int32_t ZR_Effect_Shifter::advance(int32_t from, int32_t sigma, int32_t window) {
  int64_t next = int64_t{from} + sigma;
  if (next < 0)
    next += window;
  else if (next >= window)
    next -= window;
  if (next < 0 || next >= window) {
    next %= window;
    if (next < 0) next += window;
  }
  return static_cast<int32_t>(next);
}

void ZR_Effect_Shifter::weights(int32_t at, int32_t window, double* g1, double* g2) {
  const double pi = 3.141592653589793;
  const double s1 = std::sin(pi * at / (2.0 * window));
  const double s2 = std::sin(pi * (static_cast<double>(at) + window) / (2.0 * window));
  *g1 = s1 * s1;
  *g2 = s2 * s2;
}

void ZR_Effect_Shifter::recompute() {
  const int32_t fs = clock.load(std::memory_order_relaxed);
  if (fs > 0) window.store(windowFor(fs), std::memory_order_relaxed);
}

bool ZR_Effect_Shifter::beginBlock(const int32_t** in, int32_t** out, int32_t* n) {
  if (!input || !output) return false;
  const int32_t inputLength = input->blockLength();
  const int32_t outputLength = output->blockLength();
  *n = inputLength < outputLength ? inputLength : outputLength;
  if (*n <= 0) return false;
  *in = samples(input);
  *out = samples(output);
  if (phaseSet.exchange(false, std::memory_order_acquire))
    phi = requestedPhase.load(std::memory_order_relaxed);
  return true;
}

ZR_value ZR_Effect_Shifter::m_i(ZR_Object* object, ZR_value value) {
  return bufferOption(&of(object)->input, value);
}

ZR_value ZR_Effect_Shifter::m_o(ZR_Object* object, ZR_value value) {
  return bufferOption(&of(object)->output, value);
}

ZR_value ZR_Effect_Shifter::m_s(ZR_Object* object, ZR_value value) {
  ZR_Effect_Shifter* self = of(object);
  int32_t sigma;
  if (value.isSet() && ZR_number_truncated(value, &sigma))
    self->speed.store(sigma, std::memory_order_relaxed);
  return ZR_value::integer(self->speed.load(std::memory_order_relaxed));
}

ZR_value ZR_Effect_Shifter::m_p(ZR_Object* object, ZR_value value) {
  ZR_Effect_Shifter* self = of(object);
  int32_t requested;
  if (value.isSet() && ZR_number_truncated(value, &requested)) {
    self->requestedPhase.store(requested, std::memory_order_relaxed);
    self->phaseSet.store(true, std::memory_order_release);
    self->phase.store(requested, std::memory_order_relaxed);
  }
  return ZR_value::integer(self->phase.load(std::memory_order_relaxed));
}
