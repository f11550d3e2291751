#pragma once
#include <atomic>
#include <cstdint>

#include "engine/ZR_Effect.h"

class ZR_Buffer;

/// What the two frequency multipliers share: buffers, the factor k, and the ring positions of the
/// period being recorded. Not a class of its own in the command language; ZR_Effect_Freqmul and
/// ZR_Effect_Nefreqmul register its options.
class ZR_Effect_Multiplier : public ZR_Effect {
 public:
  /// The output trails the recorded periods by this much (seconds), plus what the block needs.
  static constexpr float kDelay = 0.02f;

  /// fs delay, in single precision as the multipliers have always taken it: 882 samples at 44.1 kHz,
  /// 960 at 48 kHz.
  static float delaySamples(int32_t fs) { return static_cast<float>(fs) * kDelay; }

  ZR_Buffer* input = nullptr;  // set while the graph is built; not owned
  ZR_Buffer* output = nullptr;
  std::atomic<int32_t> k{2};

  static ZR_value m_i(ZR_Object* object, ZR_value value);
  static ZR_value m_o(ZR_Object* object, ZR_value value);
  /// "k": an integer, or a real truncated; a factor below 1 is refused.
  static ZR_value m_k(ZR_Object* object, ZR_value value);

 protected:
  /// The arrays and length of this block; false when a buffer is missing or the block is empty.
  /// [audio]
  bool blockArrays(const int32_t** in, int32_t** out, int32_t* n);

  uint32_t writeIndex = 0;   // w
  uint32_t readIndex = 0;    // r
  uint32_t periodStart = 0;  // where the period being recorded began
  int32_t previous = -1;     // the last input sample
};
