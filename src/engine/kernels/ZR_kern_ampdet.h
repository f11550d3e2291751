#pragma once
#include <cstdint>

/// Envelope follower block: absOut (may be null) receives |x|; out (may be null) is merged with
/// the envelope, which rises by attack and falls by release (fractions of 2^31) and advances only
/// when out is given. [audio] No allocation, no locks; in may equal out or absOut.
typedef void (*ZR_kern_ampdet_fn)(const int32_t* in, int32_t* out, int32_t* absOut, int32_t count,
                                  int32_t attack, int32_t release, int32_t* env);

/// The envelope follower in the six output modes, indexed by mode.
extern const ZR_kern_ampdet_fn ZR_kern_ampdet[6];
