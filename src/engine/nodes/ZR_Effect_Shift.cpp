#include "engine/nodes/ZR_Effect_Shift.h"

#include <cstring>

#include "cmd/ZR_word.h"

namespace {

// The ring read q phase units behind the newest sample, weighted before the shift (64-bit products).
// For q >= 0 the result lies between the two words. A correction delay beyond the speed's pole is
// negative and extrapolates; its low 32 bits are kept.
int32_t lerp(const int32_t* ring, uint32_t w, int64_t q) {
  const int64_t c = q / ZR_Effect_Shifter::kOne;
  const int64_t f = q - c * ZR_Effect_Shifter::kOne;
  const uint32_t at = w + static_cast<uint32_t>(static_cast<uint64_t>(c));
  const int64_t older = ring[(at + 1) & (ZR_Effect_Shifter::kRing - 1)];
  const int64_t newer = ring[at & (ZR_Effect_Shifter::kRing - 1)];
  return static_cast<int32_t>(
      static_cast<uint32_t>((older * f + newer * (ZR_Effect_Shifter::kOne - f)) >> 14));
}

}  // namespace

int32_t ZR_Effect_Shift::correctionDelay(int32_t window, int32_t sigma) {
  return ZR_word_truncated(window / (1 - sigma * (1.0 / 16384)));
}

// The taps are normalised by the larger weight (at least 1/2), and the correction tap subtracts the
// output of one window ago scaled by the smaller-to-larger ratio. At phi = P/2 both weights are 1/2,
// so a full-scale input doubles before the correction: the result saturates at the 32-bit limits.
void ZR_Effect_Shift::process() {
  const int32_t* in;
  int32_t* out;
  int32_t n;
  if (!beginBlock(&in, &out, &n)) return;
  const int32_t sigma = speed.load(std::memory_order_relaxed);
  const int32_t p = window.load(std::memory_order_relaxed);
  const int32_t d = correctionDelay(p, sigma);
  uint32_t w = writeIndex;
  int32_t at = phi;
  for (int32_t i = 0; i < n; ++i) {
    w = (w - 1) & (kRing - 1);
    x[w] = in[i];
    at = advance(at, sigma, p);
    double g1, g2;
    weights(at, p, &g1, &g2);
    double v = g1 * lerp(x, w, at) + g2 * lerp(x, w, int64_t{at} + p);
    double rho;
    if (g1 < g2) {
      rho = g1 / g2;
      v /= g2;
    } else {
      rho = g2 / g1;
      v /= g1;
    }
    const int32_t result = ZR_word_truncated(v - rho * lerp(y, w, d));
    y[w] = result;
    out[i] = result;
  }
  writeIndex = w;
  phi = at;
  endBlock();
}

void ZR_Effect_Shift::reset() {
  std::memset(x, 0, sizeof x);
  std::memset(y, 0, sizeof y);
}

ZR_Object* ZR_Effect_Shift::create() { return new ZR_Effect_Shift; }

const ZR_Option ZR_Effect_Shift::table[] = {
    ZR_OPTION_CONSTRUCTOR(ZR_Effect_Shift::create),
    ZR_OPTION("i", m_i),
    ZR_OPTION("o", m_o),
    ZR_OPTION("s", m_s),
    ZR_OPTION("p", m_p),
    ZR_OPTION_NEXT(ZR_Effect::table),
};
