#include "engine/nodes/ZR_Fourier_Transform.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "cmd/ZR_value_read.h"
#include "cmd/ZR_word.h"
#include "engine/ZR_Buffer.h"
#include "engine/nodes/ZR_Fourier_Twiddles.h"

namespace {

ZR_Fourier_Transform* of(ZR_Object* object) { return static_cast<ZR_Fourier_Transform*>(object); }

const char* const kDirections[] = {"forward", "backward"};
const char* const kWindows[] = {"none", "sin"};

// The in-place radix-2 butterflies on N = 2^(s+1) complex values in bit-reversed order. The bottom
// value is turned by the twiddle (a fraction of 2^31) and added to and taken from the top value, in
// 80-bit floating point, and each part is rounded to the nearest word (halves to even) after every
// stage. The forward variant halves both values at every stage, so its result X[m] =
// (1/N) sum x[n] e^(+2 pi i n m / N) cannot overflow; the backward variant does not scale, and a
// result beyond the 32-bit range saturates.
template <bool Forward>
void butterflies(int32_t* a, int32_t s, const ZR_Fourier_Twiddles::Entry* twiddles) {
  const int32_t n = 2 << s;
  const long double bottomScale = Forward ? 0x1p-32L : 0x1p-31L;
  const long double topScale = Forward ? 0.5L : 1.0L;
  for (int32_t k = 0; k <= s; ++k) {
    const int32_t h = 1 << k;
    const int32_t step = ZR_Fourier_Twiddles::kEntries >> k;
    for (int32_t base = 0; base < n; base += 2 * h) {
      for (int32_t j = 0; j < h; ++j) {
        int32_t* p = a + 2 * (base + j);
        int32_t* q = p + 2 * h;
        const long double c = twiddles[j * step].c;
        const long double sn = twiddles[j * step].s;
        const long double br = bottomScale * q[0];
        const long double bi = bottomScale * q[1];
        const long double u = c * br - sn * bi;
        const long double v = c * bi + sn * br;
        const long double tr = topScale * p[0];
        const long double ti = topScale * p[1];
        q[0] = ZR_word_nearest_even(tr - u);
        q[1] = ZR_word_nearest_even(ti - v);
        p[0] = ZR_word_nearest_even(tr + u);
        p[1] = ZR_word_nearest_even(ti + v);
      }
    }
  }
}

// Ticks of a steady clock stand in for processor cycles: only differences of their low 32 bits
// are used, and the clock is the same on every target.
uint32_t ticks() {
  return static_cast<uint32_t>(std::chrono::steady_clock::now().time_since_epoch().count());
}

}  // namespace

ZR_Fourier_Transform::ZR_Fourier_Transform() { ZR_Fourier_Twiddles::shared().entries(); }

ZR_Fourier_Transform::~ZR_Fourier_Transform() {
  delete history;
  delete spectrum;
}

bool ZR_Fourier_Transform::setExponent(int32_t exponent) {
  if (exponent < 0 || exponent > kMaxExponent) return false;
  const int32_t n = 2 << exponent;
  if (!history) history = new ZR_Buffer;
  if (!spectrum) spectrum = new ZR_Buffer;
  history->setLength(n);
  spectrum->setLength(2 * n);
  s = exponent;
  reversed_.assign(static_cast<size_t>(n), 0);
  window_.assign(static_cast<size_t>(n), 0.0);
  const double pi = 3.141592653589793;
  for (int32_t i = 0; i < n; ++i) {
    int32_t r = 0;
    for (int32_t bit = 0; bit <= exponent; ++bit) r |= ((i >> bit) & 1) << (exponent - bit);
    reversed_[static_cast<size_t>(i)] = r;
    const double sine = std::sin(pi * i / n);
    window_[static_cast<size_t>(i)] = sine * sine;
  }
  return true;
}

// Loads the array in bit-reversed order: forward from the ring, oldest sample first; backward from
// the input spectrum, conjugated.
void ZR_Fourier_Transform::fill(const int32_t* in, int32_t n, int32_t* out, bool isBackward, bool windowed) {
  const int32_t size = 2 << s;
  if (isBackward) {
    for (int32_t i = 0; i < size; ++i) {
      const int32_t r = reversed_[static_cast<size_t>(i)];
      out[2 * r] = 2 * i < n ? in[2 * i] : 0;
      out[2 * r + 1] = 2 * i + 1 < n ? ZR_word_saturated(-int64_t{in[2 * i + 1]}) : 0;
    }
    return;
  }
  int32_t* ring = history->main;
  // Only the last N samples stay in the ring; the write index moves on by n all the same.
  const int32_t skip = n > size ? n - size : 0;
  int32_t w = static_cast<int32_t>((int64_t{history->position} + skip) % size);
  for (int32_t i = skip; i < n; ++i) {
    ring[w] = in[i];
    w = w + 1 == size ? 0 : w + 1;
  }
  history->position = w;
  for (int32_t i = 0; i < size; ++i) {
    const int32_t x = ring[(w + i) & (size - 1)];
    const int32_t r = reversed_[static_cast<size_t>(i)];
    out[2 * r] = windowed ? ZR_word_truncated(x * window_[static_cast<size_t>(i)]) : x;
    out[2 * r + 1] = 0;
  }
}

void ZR_Fourier_Transform::transform(const int32_t* in, int32_t n, int32_t* out) {
  if (!history || history->count < size() || !spectrum || spectrum->count < 2 * size()) return;
  const bool isBackward = backward.load(std::memory_order_relaxed);
  fill(in, n, out, isBackward, sineWindow.load(std::memory_order_relaxed));
  const ZR_Fourier_Twiddles::Entry* twiddles = ZR_Fourier_Twiddles::shared().entries();
  const uint32_t start = ticks();
  if (isBackward)
    butterflies<false>(out, s, twiddles);
  else
    butterflies<true>(out, s, twiddles);
  const uint32_t cost = ticks() - start;
  averageCost = 0.01 * cost + 0.99 * averageCost;
  blockCounter = (blockCounter + 1) % 100;
  if (blockCounter == 0 && debug.load(std::memory_order_relaxed)) std::printf("%f\n", averageCost);
}

void ZR_Fourier_Transform::process() {
  if (!input || !spectrum) return;
  const int32_t n = input->blockLength();
  if (n <= 0 || spectrum->blockLength() < 2 * size()) return;
  const int32_t* in = samples(input);
  transform(in, n, samples(spectrum));
}

void ZR_Fourier_Transform::reset() {
  if (!history || history->count <= 0) return;
  std::memset(history->main, 0, static_cast<size_t>(history->count) * sizeof(int32_t));
  history->position = 0;
}

ZR_Object* ZR_Fourier_Transform::create() { return new ZR_Fourier_Transform; }

ZR_value ZR_Fourier_Transform::m_i(ZR_Object* object, ZR_value value) {
  return bufferOption(&of(object)->input, value);
}

ZR_value ZR_Fourier_Transform::m_w(ZR_Object* object, ZR_value) {
  return ZR_value::object(of(object)->spectrum);
}

ZR_value ZR_Fourier_Transform::m_d(ZR_Object* object, ZR_value value) {
  ZR_Fourier_Transform* self = of(object);
  const int32_t d = ZR_name_index(kDirections, 2, value);
  if (d >= 0) self->backward.store(d == 1, std::memory_order_relaxed);
  return ZR_value::text(kDirections[self->backward.load(std::memory_order_relaxed) ? 1 : 0]);
}

ZR_value ZR_Fourier_Transform::m_win(ZR_Object* object, ZR_value value) {
  ZR_Fourier_Transform* self = of(object);
  const int32_t w = ZR_name_index(kWindows, 2, value);
  if (w >= 0) self->sineWindow.store(w == 1, std::memory_order_relaxed);
  return ZR_value::text(kWindows[self->sineWindow.load(std::memory_order_relaxed) ? 1 : 0]);
}

ZR_value ZR_Fourier_Transform::m_s(ZR_Object* object, ZR_value value) {
  ZR_Fourier_Transform* self = of(object);
  int32_t exponent;
  if (value.isSet() && ZR_number_truncated(value, &exponent)) self->setExponent(exponent);
  return ZR_value::integer(self->s);
}

const ZR_Option ZR_Fourier_Transform::table[] = {
    ZR_OPTION_CONSTRUCTOR(ZR_Fourier_Transform::create),
    ZR_OPTION("i", m_i),
    ZR_OPTION("w", m_w),
    ZR_OPTION("d", m_d),
    ZR_OPTION("win", m_win),
    ZR_OPTION("s", m_s),
    ZR_OPTION("delete", ZR_Object::m_delete),
    ZR_OPTION_NEXT(ZR_Effect::table),
};
