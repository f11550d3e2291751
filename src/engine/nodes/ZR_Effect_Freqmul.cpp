#include "engine/nodes/ZR_Effect_Freqmul.h"

#include "cmd/ZR_word.h"

namespace {
constexpr uint32_t kMask = ZR_Effect_Freqmul::kRing - 1;
}  // namespace

// At a rising crossing the period just finished, ring[start..w), is appended k - 1 more times
// (so it stands k times in a row) before the crossing sample starts the next one. Reading every
// k-th entry then plays each period at k times its frequency. The copy is capped at one ring: more
// would only overwrite itself, and a huge k must not stall the block.
void ZR_Effect_Freqmul::process() {
  const int32_t* in;
  int32_t* out;
  int32_t n;
  if (!blockArrays(&in, &out, &n)) return;
  const int32_t factor = k.load(std::memory_order_relaxed);
  const float delay = delaySamples(clock.load(std::memory_order_relaxed));
  uint32_t w = writeIndex, start = periodStart;
  int32_t last = previous;
  for (int32_t i = 0; i < n; ++i) {
    const int32_t x = in[i];
    w = (w + 1) & kMask;
    if (last < 0 && x >= 0) {
      const uint32_t length = (w - start) & kMask;
      int64_t copies = int64_t{length} * (factor - 1);
      if (copies > kRing) copies = kRing;
      for (uint32_t j = 0; copies > 0; --copies) {
        ring[w] = ring[(start + j) & kMask];
        w = (w + 1) & kMask;
        if (++j == length) j = 0;
      }
      start = w;
    }
    ring[w] = x;
    last = x;
  }
  writeIndex = w;
  periodStart = start;
  previous = last;
  // The read position trails by fs delay + n k entries at the start of the block.
  const uint32_t lag =
      static_cast<uint32_t>(ZR_word_low_bits(double{delay} + static_cast<double>(factor) * n));
  const uint32_t step = static_cast<uint32_t>(factor);
  uint32_t j = readIndex - lag;
  for (int32_t i = 0; i < n; ++i) {
    out[i] = ring[j & kMask];
    j += step;
  }
  readIndex += step * static_cast<uint32_t>(n);
}

ZR_Object* ZR_Effect_Freqmul::create() { return new ZR_Effect_Freqmul; }

const ZR_Option ZR_Effect_Freqmul::table[] = {
    ZR_OPTION_CONSTRUCTOR(ZR_Effect_Freqmul::create),
    ZR_OPTION("i", m_i),
    ZR_OPTION("o", m_o),
    ZR_OPTION("k", m_k),
    ZR_OPTION_NEXT(ZR_Effect::table),
};
