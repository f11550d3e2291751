#include "engine/kernels/ZR_kern_bapass.h"

#include "engine/kernels/ZR_kern_mode.h"

namespace {

// floor(v * c / 2^31) of a signed 64-bit product: the product of a sample and a fraction of 2^31.
inline int64_t scale31(int64_t v, int32_t c) { return (v * c) >> 31; }

// Each product is floored in whole sample units and the recursion wraps in 32 bits, so the
// integer form is exact and independent of the target. The one exception to 32-bit arithmetic is
// x - x2: a full-scale input swing makes it 2^31, which would flip sign in 32 bits, so it is taken
// in 64 bits before the product. The state keeps y itself; the mode only shapes what is written.
template <int32_t M>
int32_t bapass(const int32_t* in, int32_t* out, int32_t count, int32_t c1, int32_t c2, int32_t c3,
               int32_t* x1s, int32_t* x2s, int32_t* y1s, int32_t* y2s) {
  int32_t x1 = *x1s, x2 = *x2s, y1 = *y1s, y2 = *y2s;
  for (int32_t i = 0; i < count; ++i) {
    const int32_t x = in[i];
    // Every term is reduced modulo 2^32 by the final cast, as if each were added in 32 bits.
    const int64_t t = scale31(int64_t{x} - x2, c3);
    const int32_t y = static_cast<int32_t>(t - y2 + scale31(y2, c2) + 2 * int64_t{y1} - 2 * scale31(y1, c1));
    x2 = x1;
    x1 = x;
    y2 = y1;
    y1 = y;
    ZR_mode_write<M>(out[i], y);
  }
  *x1s = x1;
  *x2s = x2;
  *y1s = y1;
  *y2s = y2;
  return 0;
}

}  // namespace

const ZR_kern_bapass_fn ZR_kern_bapass[6] = {
    bapass<ZR_MODE_SET>, bapass<ZR_MODE_ADD>, bapass<ZR_MODE_SUB>,
    bapass<ZR_MODE_STN>, bapass<ZR_MODE_ADN>, bapass<ZR_MODE_SBN>,
};
