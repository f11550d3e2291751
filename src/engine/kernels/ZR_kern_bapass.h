#pragma once
#include <cstdint>

/// Second-order band-pass block: y = c3'(x - x2) + (2 - c1') y1 - (1 - c2') y2 with
/// c1' = c1 / 2^30, c2' = c2 / 2^31, c3' = c3 / 2^31; the states are the last two inputs and
/// outputs. Returns a status word, 0 for every block. [audio] No allocation, no locks; in may
/// equal out.
typedef int32_t (*ZR_kern_bapass_fn)(const int32_t* in, int32_t* out, int32_t count, int32_t c1, int32_t c2,
                                     int32_t c3, int32_t* x1, int32_t* x2, int32_t* y1, int32_t* y2);

/// The band-pass in the six output modes, indexed by mode.
extern const ZR_kern_bapass_fn ZR_kern_bapass[6];
