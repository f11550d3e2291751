#include "engine/kernels/ZR_kern_ampdet.h"

#include "engine/kernels/ZR_kern_mode.h"

namespace {

// |x| wraps for -2^31, which stays -2^31; read as unsigned it is 2^31, the largest magnitude.
inline int32_t magnitude(int32_t x) {
  return static_cast<int32_t>(x < 0 ? 0u - static_cast<uint32_t>(x) : static_cast<uint32_t>(x));
}

// env += floor((v - env) * c / 2^31): the difference wraps in 32 bits, the product is 64 bits.
// Attack or release is chosen by comparing magnitudes as unsigned numbers.
template <int32_t M, bool WithAbs>
void follow(const int32_t* in, int32_t* out, int32_t* absOut, int32_t count, int32_t attack, int32_t release,
            int32_t* envState) {
  uint32_t env = static_cast<uint32_t>(*envState);
  for (int32_t i = 0; i < count; ++i) {
    const int32_t v = magnitude(in[i]);
    if constexpr (WithAbs) absOut[i] = v;
    const int32_t c = static_cast<uint32_t>(v) >= env ? attack : release;
    const int32_t difference = static_cast<int32_t>(static_cast<uint32_t>(v) - env);
    env += static_cast<uint32_t>((int64_t{difference} * c) >> 31);
    ZR_mode_write<M>(out[i], static_cast<int32_t>(env));
  }
  *envState = static_cast<int32_t>(env);
}

template <int32_t M>
void ampdet(const int32_t* in, int32_t* out, int32_t* absOut, int32_t count, int32_t attack, int32_t release,
            int32_t* env) {
  if (out && absOut) return follow<M, true>(in, out, absOut, count, attack, release, env);
  if (out) return follow<M, false>(in, out, absOut, count, attack, release, env);
  if (absOut)
    for (int32_t i = 0; i < count; ++i) absOut[i] = magnitude(in[i]);
}

}  // namespace

const ZR_kern_ampdet_fn ZR_kern_ampdet[6] = {
    ampdet<ZR_MODE_SET>, ampdet<ZR_MODE_ADD>, ampdet<ZR_MODE_SUB>,
    ampdet<ZR_MODE_STN>, ampdet<ZR_MODE_ADN>, ampdet<ZR_MODE_SBN>,
};
