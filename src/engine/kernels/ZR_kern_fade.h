#pragma once
#include <cstdint>

/// Crossfade over one block of n = count samples: v[k] = (a[k] * k + b[k] * (n - k)) / n, so the
/// block moves from b at its start to a at its end. [audio] No allocation, no locks.
typedef void (*ZR_kern_fade_fn)(int32_t* a, int32_t* b, int32_t count);

/// Stores the crossfade into the first array.
extern const ZR_kern_fade_fn ZR_kern_fade_a;
/// Stores the crossfade into the second array.
extern const ZR_kern_fade_fn ZR_kern_fade_b;
