#include "engine/nodes/ZR_Fourier_Noisegate.h"

#include <cmath>

#include "cmd/ZR_value_read.h"
#include "cmd/ZR_word.h"
#include "engine/ZR_Buffer.h"
#include "engine/ZR_Soundpipe.h"

namespace {

ZR_Fourier_Noisegate* of(ZR_Object* object) { return static_cast<ZR_Fourier_Noisegate*>(object); }

// The gain 1.0 as a filter coefficient: 2^31 - 1 scaled down by 2^10, so that the impulse
// response of N values (the backward transform does not scale) stays inside 32 bits up to N = 1024.
constexpr int32_t kUnityGain = 2097151;
// The inverse scale of a filter spectrum value: brings 2^31 - 1 / 2^10 back to 1.0.
constexpr double kFilterScale = 1024.0 / 2147483647.0;
constexpr int32_t kMinInputLength = 4;
constexpr int32_t kMaxInputLength = 2048;

ZR_Buffer* emptyBuffer() {
  ZR_Buffer* buffer = new ZR_Buffer;
  buffer->setLength(0);
  return buffer;
}

// An internal node runs inside the gate's block only: a soundpipe that also ran it would advance
// its rings twice per block.
void detach(ZR_Effect& node) {
  if (!node.soundpipe) return;
  node.soundpipe->effects.remove(&node.link);
  node.soundpipe = nullptr;
}

int32_t bitsToWrite(int32_t v) {
  int32_t bits = 0;
  for (; v > 0; v >>= 1) ++bits;
  return bits;
}

}  // namespace

ZR_Fourier_Noisegate::ZR_Fourier_Noisegate()
    : delayed(emptyBuffer()), noiseProfile(emptyBuffer()), gainSpectrum(emptyBuffer()) {
  for (ZR_Effect* node : {static_cast<ZR_Effect*>(&impulse), static_cast<ZR_Effect*>(&firstHalf),
                          static_cast<ZR_Effect*>(&secondHalf), static_cast<ZR_Effect*>(&analysis),
                          static_cast<ZR_Effect*>(&delayedTransform), static_cast<ZR_Effect*>(&delay)})
    detach(*node);
  impulse.input = gainSpectrum;
  impulse.backward.store(true, std::memory_order_relaxed);
  impulse.setExponent(5);
  firstHalf.input = impulse.spectrum;
  secondHalf.input = impulse.spectrum;
  analysis.setExponent(5);
  analysis.sineWindow.store(true, std::memory_order_relaxed);
  delayedTransform.setExponent(5);
  delayedTransform.input = delayed;
  ZR_Effect_Deline::m_g(&delay, ZR_EMPTY);
  ZR_Effect_Deline::m_ga(&delay, ZR_value::integer(1));
  ZR_Effect_Deline::m_go(&delay, ZR_value::object(delayed));
  ZR_Effect_Deline::m_d(&delay, ZR_EMPTY);
  ZR_Effect_Deline::m_da(&delay, ZR_value::integer(1));
  ZR_Effect_Deline::m_dt(&delay, ZR_value::integer(512));
}

ZR_Fourier_Noisegate::~ZR_Fourier_Noisegate() {
  if (ownsOutput1) delete output1;
  if (ownsOutput2) delete output2;
  delete delayed;
  delete noiseProfile;
  delete gainSpectrum;
}

bool ZR_Fourier_Noisegate::setInput(ZR_Buffer* spectrum) {
  if (!spectrum) {
    inputSpectrum = nullptr;
    return true;
  }
  const int32_t length = spectrum->length();
  const bool powerOfTwo = length > 0 && (length & (length - 1)) == 0;
  if (!powerOfTwo || length < kMinInputLength || length > kMaxInputLength) return false;
  inputSpectrum = spectrum;
  noiseProfile->setLength(length / 4 + 1);
  gainSpectrum->setLength(length);
  const int32_t exponent = bitsToWrite(length) - 3;
  for (ZR_Fourier_Transform* t : {&impulse, &firstHalf, &secondHalf, &analysis, &delayedTransform})
    t->setExponent(exponent);
  for (int32_t m = 0; 2 * m + 1 < gainSpectrum->count; ++m) {
    gainSpectrum->main[2 * m] = kUnityGain;
    gainSpectrum->main[2 * m + 1] = 0;
  }
  return true;
}

void ZR_Fourier_Noisegate::setSignal(ZR_Buffer* buffer) {
  signal = buffer;
  analysis.input = buffer;
  delay.input = buffer;
  if (buffer)
    delayed->setLengthLike(*buffer);
  else
    delayed->setLength(0);
}

bool ZR_Fourier_Noisegate::ready(int32_t n) const {
  if (!inputSpectrum || !signal || !output1 || !output2 || n <= 0) return false;
  for (const ZR_Fourier_Transform* t : {&impulse, &firstHalf, &secondHalf, &analysis, &delayedTransform})
    if (t->size() != n || !t->spectrum || t->spectrum->count < 2 * n) return false;
  return inputSpectrum->blockLength() >= 2 * n && gainSpectrum->count >= 2 * n &&
         noiseProfile->count >= n / 2 + 1;
}

void ZR_Fourier_Noisegate::filter(const int32_t* x, int32_t* out, int32_t outLength, int32_t n) const {
  const int32_t* z = delayedTransform.spectrum->main;
  const int32_t* y = firstHalf.spectrum->main;
  const int32_t* w = secondHalf.spectrum->main;
  for (int32_t m = 0; m < n && 2 * m + 1 < outLength; ++m) {
    const double yr = kFilterScale * y[2 * m], yi = kFilterScale * y[2 * m + 1];
    const double wr = kFilterScale * w[2 * m], wi = kFilterScale * w[2 * m + 1];
    const double zr = z[2 * m], zi = z[2 * m + 1];
    const double xr = x[2 * m], xi = x[2 * m + 1];
    const double re = (zr * wr + zi * wi) + (xr * yr + xi * yi);
    const double im = (zi * wr - zr * wi) + (xi * yr - xr * yi);
    out[2 * m] = ZR_word_truncated(re);
    out[2 * m + 1] = ZR_word_truncated(im);
  }
}

// A bin at or below its noise level gets the gain 0; above it, the share of the magnitude that
// exceeds the level. The curve is real and mirrored, so the filter's impulse response is real.
void ZR_Fourier_Noisegate::updateGains(const int32_t* a, int32_t n, bool learn) {
  int32_t* profile = noiseProfile->main;
  int32_t* gains = gainSpectrum->main;
  for (int32_t j = 0; j <= n / 2; ++j) {
    const double re = a[2 * j], im = a[2 * j + 1];
    const double mag = std::sqrt(re * re + im * im);
    const int32_t old = profile[j];
    if (learn) profile[j] = ZR_word_truncated((mag - old) * 0.1 + old);
    const double threshold = 8000 * thresholdFactor + old;
    const double v = mag >= threshold ? mag : threshold;
    const double gain = v != 0 ? (v - threshold) / v : 1.0;
    const int32_t g = ZR_word_truncated(gain * 2147483647.0 * 0.0009765625);
    gains[2 * j] = g;
    gains[2 * j + 1] = 0;
    if (j != 0) {
      gains[2 * (n - j)] = g;
      gains[2 * (n - j) + 1] = 0;
    }
  }
}

void ZR_Fourier_Noisegate::process() {
  const int32_t n = impulse.size();
  if (!ready(n)) return;
  const bool learn = adapt.load(std::memory_order_relaxed);
  if (!delay.prepared) delay.prepare();
  delay.process();
  delayedTransform.process();
  const int32_t* x = samples(inputSpectrum);
  filter(x, samples(output1), output1->blockLength(), n);
  analysis.process();
  updateGains(analysis.spectrum->main, n, learn);
  impulse.process();
  // The response h of N values becomes two halves of N words each, the real parts of h[0..N/2) and
  // of h[N/2..N), each followed by N/2 zeros. In place, ascending: word k reads word 2k and word
  // N + k reads word N + 2k, neither written yet.
  int32_t* h = impulse.spectrum->main;
  for (int32_t k = 0; k < n; ++k) {
    const bool firstHalfOfResponse = k < n / 2;
    h[k] = firstHalfOfResponse ? h[2 * k] : 0;
    h[n + k] = firstHalfOfResponse ? h[n + 2 * k] : 0;
  }
  firstHalf.transform(h, n, firstHalf.spectrum->main);
  secondHalf.transform(h + n, n, secondHalf.spectrum->main);
  filter(x, samples(output2), output2->blockLength(), n);
}

void ZR_Fourier_Noisegate::reset() {
  delay.reset();
  for (ZR_Fourier_Transform* t : {&impulse, &firstHalf, &secondHalf, &analysis, &delayedTransform})
    t->reset();
}

ZR_Object* ZR_Fourier_Noisegate::create() { return new ZR_Fourier_Noisegate; }

ZR_value ZR_Fourier_Noisegate::m_i(ZR_Object* object, ZR_value value) {
  ZR_Fourier_Noisegate* self = of(object);
  ZR_Buffer* buffer;
  if (value.isSet() && ZR_object_of(value, &buffer)) self->setInput(buffer);
  return ZR_value::object(self->inputSpectrum);
}

ZR_value ZR_Fourier_Noisegate::outputOption(ZR_Buffer** slot, bool* owned, ZR_value value) {
  ZR_Buffer* buffer;
  if (value.isSet() && ZR_object_of(value, &buffer)) {
    if (*owned && buffer != *slot) delete *slot;
    *owned = false;
    *slot = buffer;
  }
  if (!*slot && !value.isSet() && inputSpectrum) {
    *slot = new ZR_Buffer;
    (*slot)->setLength(inputSpectrum->length());
    *owned = true;
  }
  return ZR_value::object(*slot);
}

ZR_value ZR_Fourier_Noisegate::m_o1(ZR_Object* object, ZR_value value) {
  ZR_Fourier_Noisegate* self = of(object);
  return self->outputOption(&self->output1, &self->ownsOutput1, value);
}

ZR_value ZR_Fourier_Noisegate::m_o2(ZR_Object* object, ZR_value value) {
  ZR_Fourier_Noisegate* self = of(object);
  return self->outputOption(&self->output2, &self->ownsOutput2, value);
}

ZR_value ZR_Fourier_Noisegate::m_s(ZR_Object* object, ZR_value value) {
  ZR_Fourier_Noisegate* self = of(object);
  ZR_Buffer* buffer;
  if (value.isSet() && ZR_object_of(value, &buffer)) self->setSignal(buffer);
  return ZR_value::object(self->signal);
}

ZR_value ZR_Fourier_Noisegate::m_a(ZR_Object* object, ZR_value value) {
  ZR_Fourier_Noisegate* self = of(object);
  int32_t adapt;
  if (value.isSet() && ZR_number_truncated(value, &adapt))
    self->adapt.store(adapt != 0, std::memory_order_relaxed);
  return ZR_value::integer(self->adapt.load(std::memory_order_relaxed) ? 1 : 0);
}

ZR_value ZR_Fourier_Noisegate::m_w(ZR_Object* object, ZR_value) {
  return ZR_value::object(of(object)->noiseProfile);
}

const ZR_Option ZR_Fourier_Noisegate::table[] = {
    ZR_OPTION_CONSTRUCTOR(ZR_Fourier_Noisegate::create),
    ZR_OPTION("i", m_i),
    ZR_OPTION("o1", m_o1),
    ZR_OPTION("o2", m_o2),
    ZR_OPTION("s", m_s),
    ZR_OPTION("a", m_a),
    ZR_OPTION("w", m_w),
    ZR_OPTION("delete", ZR_Object::m_delete),
    ZR_OPTION_NEXT(ZR_Effect::table),
};
