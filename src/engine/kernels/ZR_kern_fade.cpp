#include "engine/kernels/ZR_kern_fade.h"

namespace {

// A weighted mean of two samples always fits a sample; the 64-bit sum keeps it exact, and the
// quotient truncates toward zero. Only transition blocks pay for the division.
template <bool IntoFirst>
void fade(int32_t* a, int32_t* b, int32_t count) {
  const int64_t n = count;
  for (int64_t k = 0; k < n; ++k) {
    const int32_t v = static_cast<int32_t>((a[k] * k + b[k] * (n - k)) / n);
    if constexpr (IntoFirst) {
      a[k] = v;
    } else {
      b[k] = v;
    }
  }
}

}  // namespace

const ZR_kern_fade_fn ZR_kern_fade_a = fade<true>;
const ZR_kern_fade_fn ZR_kern_fade_b = fade<false>;
