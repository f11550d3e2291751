#include "engine/nodes/ZR_Effect_Nshift.h"

#include <cstring>

#include "cmd/ZR_word.h"

namespace {

// The ring read q phase units behind the newest sample: the two neighbours are shifted down by 14
// bits before they are weighted, so the sum of both weights (16384) keeps it within 32 bits.
int32_t lerp(const int32_t* ring, uint32_t w, int64_t q) {
  const uint32_t c = static_cast<uint32_t>(q >> 14);
  const int32_t f = static_cast<int32_t>(q & (ZR_Effect_Shifter::kOne - 1));
  const int32_t older = ring[(w + c + 1) & (ZR_Effect_Shifter::kRing - 1)] >> 14;
  const int32_t newer = ring[(w + c) & (ZR_Effect_Shifter::kRing - 1)] >> 14;
  return f * older + (ZR_Effect_Shifter::kOne - f) * newer;
}

}  // namespace

void ZR_Effect_Nshift::process() {
  const int32_t* in;
  int32_t* out;
  int32_t n;
  if (!beginBlock(&in, &out, &n)) return;
  const int32_t sigma = speed.load(std::memory_order_relaxed);
  const int32_t p = window.load(std::memory_order_relaxed);
  uint32_t w = writeIndex;
  int32_t at = phi;
  for (int32_t i = 0; i < n; ++i) {
    w = (w - 1) & (kRing - 1);
    x[w] = in[i];
    at = advance(at, sigma, p);
    double g1, g2;
    weights(at, p, &g1, &g2);
    out[i] = ZR_word_truncated(g1 * lerp(x, w, at) + g2 * lerp(x, w, int64_t{at} + p));
  }
  writeIndex = w;
  phi = at;
  endBlock();
}

void ZR_Effect_Nshift::reset() { std::memset(x, 0, sizeof x); }

ZR_Object* ZR_Effect_Nshift::create() { return new ZR_Effect_Nshift; }

const ZR_Option ZR_Effect_Nshift::table[] = {
    ZR_OPTION_CONSTRUCTOR(ZR_Effect_Nshift::create),
    ZR_OPTION("i", m_i),
    ZR_OPTION("o", m_o),
    ZR_OPTION("s", m_s),
    ZR_OPTION("p", m_p),
    ZR_OPTION_NEXT(ZR_Effect::table),
};
