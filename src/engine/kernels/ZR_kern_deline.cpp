#include "engine/kernels/ZR_kern_deline.h"

#include "engine/kernels/ZR_kern_mode.h"

namespace {

constexpr uint32_t kRingMask = ZR_KERN_DELINE_MEMORY - 1;

// floor(a * c / 2^shift) of a signed 32 x 32-bit product, which always fits in 64 bits; its low 32
// bits are kept, as the sums around it wrap at 32 bits by design.
template <int32_t Shift>
inline uint32_t scaled(int32_t a, int32_t c) {
  return static_cast<uint32_t>((int64_t{a} * c) >> Shift);
}

// Taps of a group sum into acc (weights are fractions of 2^31); the group's closing word scales
// the sum by its amplitude into the output and by its feedback into the sample that enters the
// memory (both fractions of 2^23). All sums wrap at 32 bits, in unsigned arithmetic so that the
// wrap is defined.
template <int32_t M>
void deline(const int32_t* in, int32_t count, int32_t* memory, int32_t* position, const int32_t* program,
            int32_t programLength, int32_t* const* outputs) {
  uint32_t p = static_cast<uint32_t>(*position) & kRingMask;
  for (int32_t i = 0; i < count; ++i) {
    uint32_t s = static_cast<uint32_t>(in[i]);
    uint32_t acc = 0;
    for (int32_t k = 0; k < programLength;) {
      const int32_t t = program[k];
      if (t != ZR_KERN_DELINE_GROUP) {
        acc += scaled<31>(memory[(p + static_cast<uint32_t>(t) + 1) & kRingMask], program[k + 1]);
        k += 2;
        continue;
      }
      const int32_t sum = static_cast<int32_t>(acc);
      const int32_t slot = program[k + 2];
      if (slot >= 0)
        ZR_mode_write<M>(outputs[slot][i], static_cast<int32_t>(scaled<23>(sum, program[k + 1])));
      s += scaled<23>(sum, program[k + 3]);
      acc = 0;
      k += 4;
    }
    memory[p] = static_cast<int32_t>(s);
    p = (p - 1) & kRingMask;
  }
  *position = static_cast<int32_t>(p);
}

}  // namespace

const ZR_kern_deline_fn ZR_kern_deline[6] = {
    deline<ZR_MODE_SET>, deline<ZR_MODE_ADD>, deline<ZR_MODE_SUB>,
    deline<ZR_MODE_STN>, deline<ZR_MODE_ADN>, deline<ZR_MODE_SBN>,
};
