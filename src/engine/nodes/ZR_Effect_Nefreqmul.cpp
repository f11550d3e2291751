#include "engine/nodes/ZR_Effect_Nefreqmul.h"

#include <cstring>

#include "cmd/ZR_value_read.h"

namespace {

constexpr uint32_t kMask = ZR_Effect_Nefreqmul::kRing - 1;

ZR_Effect_Nefreqmul* of(ZR_Object* object) { return static_cast<ZR_Effect_Nefreqmul*>(object); }

inline int32_t wrap(int64_t v) {
  return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(v)));
}

ZR_value realOption(std::atomic<double>& field, ZR_value value) {
  float v;
  if (value.isSet() && ZR_number_real(value, &v)) field.store(v, std::memory_order_relaxed);
  return ZR_value::real(static_cast<float>(field.load(std::memory_order_relaxed)));
}

}  // namespace

template <int32_t M>
void ZR_Effect_Nefreqmul::play(const int32_t* ring, uint32_t from, uint32_t step, int32_t* out, int32_t n) {
  for (int32_t i = 0; i < n; ++i) {
    ZR_mode_write<M>(out[i], ring[from & kMask]);
    from += step;
  }
}

void (*const ZR_Effect_Nefreqmul::players[ZR_MODE_COUNT])(const int32_t*, uint32_t, uint32_t, int32_t*,
                                                          int32_t) = {
    play<ZR_MODE_SET>, play<ZR_MODE_ADD>, play<ZR_MODE_SUB>,
    play<ZR_MODE_STN>, play<ZR_MODE_ADN>, play<ZR_MODE_SBN>,
};

// The period ring[start..W) is appended k - 1 more times. Even repetitions play it backwards and
// mirrored about the crossing (x + previous - the stored value), which joins both ends without a
// jump; the last of them fades linearly into the plain period so the next one starts cleanly; odd
// repetitions are plain copies. At most one ring is written per crossing.
void ZR_Effect_Nefreqmul::repeat(uint32_t* w, int32_t x, int32_t factor) {
  const uint32_t top = *w;
  const uint32_t length = (top - periodStart) & kMask;
  if (length == 0) return;
  const int32_t sum = wrap(int64_t{x} + previous);
  uint32_t budget = kRing;
  for (int64_t rep = 0; rep <= int64_t{factor} - 2 && budget > 0; ++rep) {
    const bool last = rep == int64_t{factor} - 2;
    for (uint32_t j = 0; j < length && budget > 0; ++j, --budget) {
      const int32_t a = ring[(periodStart + j) & kMask];
      const double b = wrap(int64_t{sum} - ring[(top - 1 - j) & kMask]);
      double v;
      if (rep % 2 == 1)
        v = a;
      else if (last)
        v = (static_cast<double>(a) * j + b * (length - j)) / length;
      else
        v = b - static_cast<double>(sum) * j / length;
      ring[*w] = ZR_word_truncated(v);
      *w = (*w + 1) & kMask;
    }
  }
}

void ZR_Effect_Nefreqmul::process() {
  const int32_t* in;
  int32_t* out;
  int32_t n;
  if (!blockArrays(&in, &out, &n)) return;
  const int32_t factor = k.load(std::memory_order_relaxed);
  const double delay = delaySamples(clock.load(std::memory_order_relaxed));
  const double lowest = rand.load(std::memory_order_relaxed);
  const double weight = stab.load(std::memory_order_relaxed);
  uint32_t w = writeIndex;
  for (int32_t i = 0; i < n; ++i) {
    const int32_t x = in[i];
    w = (w + 1) & kMask;
    bool crossing = previous < 0 && x >= 0;
    const double step = wrap(int64_t{x} - previous);
    if (crossing && averageStep > 0.1) {
      const double ratio = step / averageStep;
      crossing = lowest <= ratio && ratio <= 1;
    }
    if (((w - periodStart) & kMask) > delay) crossing = true;
    if (crossing) {
      repeat(&w, x, factor);
      periodStart = w;
      averageStep = (1 - weight) * step + weight * averageStep;
    }
    ring[w] = x;
    previous = x;
  }
  writeIndex = w;
  const uint32_t lag = static_cast<uint32_t>(ZR_word_low_bits(delay * factor));
  const uint32_t step = static_cast<uint32_t>(factor);
  players[modeIndex()](ring, readIndex - lag, step, out, n);
  readIndex += step * static_cast<uint32_t>(n);
}

void ZR_Effect_Nefreqmul::reset() {
  std::memset(ring, 0, sizeof ring);
  averageStep = 0;
}

ZR_Object* ZR_Effect_Nefreqmul::create() { return new ZR_Effect_Nefreqmul; }

ZR_value ZR_Effect_Nefreqmul::m_rand(ZR_Object* object, ZR_value value) {
  return realOption(of(object)->rand, value);
}

ZR_value ZR_Effect_Nefreqmul::m_stab(ZR_Object* object, ZR_value value) {
  return realOption(of(object)->stab, value);
}

const ZR_Option ZR_Effect_Nefreqmul::table[] = {
    ZR_OPTION_CONSTRUCTOR(ZR_Effect_Nefreqmul::create),
    ZR_OPTION("i", m_i),
    ZR_OPTION("o", m_o),
    ZR_OPTION("k", m_k),
    ZR_OPTION("rand", m_rand),
    ZR_OPTION("stab", m_stab),
    ZR_OPTION_NEXT(ZR_Effect::table),
};
