#include "engine/kernels/ZR_kern_copy.h"

#include <cstddef>

#include "engine/kernels/ZR_kern_mode.h"

namespace {

// Unit strides are the common case (the product copies whole buffers); a loop of its own lets the
// compiler vectorise it.
template <int32_t M>
void copy(const int32_t* in, int32_t* out, int32_t count, int32_t inStride, int32_t outStride) {
  if (inStride == 1 && outStride == 1) {
    for (int32_t i = 0; i < count; ++i) ZR_mode_write<M>(out[i], in[i]);
    return;
  }
  const ptrdiff_t is = inStride;
  const ptrdiff_t os = outStride;
  for (ptrdiff_t i = 0; i < count; ++i) ZR_mode_write<M>(out[i * os], in[i * is]);
}

}  // namespace

const ZR_kern_copy_fn ZR_kern_copy[6] = {
    copy<ZR_MODE_SET>, copy<ZR_MODE_ADD>, copy<ZR_MODE_SUB>,
    copy<ZR_MODE_STN>, copy<ZR_MODE_ADN>, copy<ZR_MODE_SBN>,
};
