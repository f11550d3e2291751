#pragma once
#include <cstdint>

/// Soft-knee clipper block with a self-adjusting offset S: v = ((x >> 1) - S) >> 1 is limited to
/// [-b, b] (flags bit 0 set: [max(-b - h, min(S, b)), b]), a knee of width about 4h lets part of the
/// cut-off excess through, S drifts toward the excess by rate / 2^32 per sample, and 4 times the
/// result is written as mode "set". [audio] No allocation, no locks; in may equal out.
typedef void (*ZR_kern_dist_fn)(const int32_t* in, int32_t* out, int32_t count, int32_t* offset, int32_t b,
                                int32_t h, int32_t rate, int32_t shift, int32_t flags);

/// The clipper has a single kernel.
extern const ZR_kern_dist_fn ZR_kern_dist;
