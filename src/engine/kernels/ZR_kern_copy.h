#pragma once
#include <cstdint>

/// Strided copy block: out[i * outStride] is merged with in[i * inStride] for i < count.
/// [audio] No allocation, no locks; in may equal out when the strides are equal.
typedef void (*ZR_kern_copy_fn)(const int32_t* in, int32_t* out, int32_t count, int32_t inStride,
                                int32_t outStride);

/// The copy in the six output modes, indexed by mode.
extern const ZR_kern_copy_fn ZR_kern_copy[6];
