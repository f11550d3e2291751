#pragma once
#include <cstdint>

/// Delay-network block over a ring memory of 65536 samples. The program is a flat list of words:
/// per tap a pair (time t in 0..65535, weight w as a fraction of 2^31), per group a closing quad
/// (-1, amplitude as a fraction of 2^23, output slot or -1, feedback as a fraction of 2^23). A
/// group's sum, scaled by its amplitude, is merged into outputs[slot][i]; scaled by its feedback it
/// joins the input sample written into the memory. A tap with time t reads the sample written
/// t + 1 samples earlier. position is the ring index written next; it moves down by one per
/// sample. [audio] No allocation, no locks; in may equal an output array.
typedef void (*ZR_kern_deline_fn)(const int32_t* in, int32_t count, int32_t* memory, int32_t* position,
                                  const int32_t* program, int32_t programLength, int32_t* const* outputs);

/// The delay network in the six output modes, indexed by mode.
extern const ZR_kern_deline_fn ZR_kern_deline[6];

/// Words in the ring memory the kernel indexes with 16 bits.
constexpr int32_t ZR_KERN_DELINE_MEMORY = 65536;
/// The word that closes a group in the program; tap times are never negative.
constexpr int32_t ZR_KERN_DELINE_GROUP = -1;
