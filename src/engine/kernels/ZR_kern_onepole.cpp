#include "engine/kernels/ZR_kern_onepole.h"

#include "engine/kernels/ZR_kern_mode.h"

namespace {

// One step of the recursion b += (x - b) * a / 2^32 with a single unsigned 32 x 32-bit product.
// The difference is offset by 2^31 so that it is an unsigned number whatever its sign; the high
// half of the product is floor(u * a / 2^32), and taking a / 2 back off removes the offset's share
// (2^31 * a / 2^32). The state wraps: inputs within the engine's headroom never make it wrap.
inline uint32_t onePoleStep(uint32_t state, int32_t x, uint32_t a) {
  const uint32_t u = static_cast<uint32_t>(x) - state + 0x80000000u;
  const uint32_t h = static_cast<uint32_t>((static_cast<uint64_t>(u) * a) >> 32);
  return state + h - (a >> 1);
}

template <int32_t M>
void lopass(const int32_t* in, int32_t* out, int32_t count, const uint32_t* a, int32_t* b) {
  const uint32_t coefficient = *a;
  uint32_t state = static_cast<uint32_t>(*b);
  for (int32_t i = 0; i < count; ++i) {
    state = onePoleStep(state, in[i], coefficient);
    ZR_mode_write<M>(out[i], static_cast<int32_t>(state));
  }
  *b = static_cast<int32_t>(state);
}

void hipass(const int32_t* in, int32_t* out, int32_t count, uint32_t a, int32_t* b) {
  uint32_t state = static_cast<uint32_t>(*b);
  for (int32_t i = 0; i < count; ++i) {
    const int32_t x = in[i];
    state = onePoleStep(state, x, a);
    out[i] = static_cast<int32_t>(static_cast<uint32_t>(x) - state);
  }
  *b = static_cast<int32_t>(state);
}

}  // namespace

const ZR_kern_lopass_fn ZR_kern_lopass[6] = {
    lopass<ZR_MODE_SET>, lopass<ZR_MODE_ADD>, lopass<ZR_MODE_SUB>,
    lopass<ZR_MODE_STN>, lopass<ZR_MODE_ADN>, lopass<ZR_MODE_SBN>,
};

const ZR_kern_hipass_fn ZR_kern_hipass = hipass;
