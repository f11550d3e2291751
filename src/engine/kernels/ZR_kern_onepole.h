#pragma once
#include <cstdint>

/// One-pole low-pass block: in, out, count, coefficient a (a / 2^32 is the smoothing factor),
/// state b (the filter output). [audio] No allocation, no locks; in may equal out.
typedef void (*ZR_kern_lopass_fn)(const int32_t* in, int32_t* out, int32_t count, const uint32_t* a,
                                  int32_t* b);
/// One-pole high-pass block: out = in - low-pass(in), always written as mode "set".
/// [audio] No allocation, no locks; in may equal out.
typedef void (*ZR_kern_hipass_fn)(const int32_t* in, int32_t* out, int32_t count, uint32_t a, int32_t* b);

/// The low-pass in the six output modes, indexed by mode.
extern const ZR_kern_lopass_fn ZR_kern_lopass[6];
/// The high-pass has a single kernel.
extern const ZR_kern_hipass_fn ZR_kern_hipass;
