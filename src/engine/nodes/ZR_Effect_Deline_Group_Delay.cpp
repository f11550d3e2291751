#include "engine/nodes/ZR_Effect_Deline_Group_Delay.h"

#include "cmd/ZR_word.h"
#include "engine/kernels/ZR_kern_deline.h"

int32_t ZR_Effect_Deline_Group_Delay::compiledTime(int32_t fs) const {
  const int32_t samples =
      timeInSamples ? ZR_word_truncated(time) : ZR_word_truncated(static_cast<double>(time) * fs);
  return static_cast<int32_t>(static_cast<uint32_t>(samples) & (ZR_KERN_DELINE_MEMORY - 1));
}
