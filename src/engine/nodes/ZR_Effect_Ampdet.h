#pragma once
#include <atomic>
#include <cstdint>

#include "engine/ZR_Effect.h"

class ZR_Buffer;

/// Envelope follower (the kernel ZR_kern_ampdet): the envelope goes to "o" in the node's output
/// mode, the magnitude of each sample to "a"; either may be left unset. The envelope rises with the
/// attack corner f1 and falls with the release corner f2.
class ZR_Effect_Ampdet : public ZR_Effect {
 public:
  /// [audio] No allocation, no locks.
  void process() override;
  /// Recomputes both coefficients from f1, f2 and the clock. [command thread]
  void recompute() override;
  /// [the thread that runs blocks] No allocation, no locks.
  void reset() override { envelope = 0; }

  /// c = f pi 2^31 / (f pi + fs / 2) truncated and saturated, as a fraction of 2^31; f = 0 gives
  /// 2^31 - 1, an envelope that follows at once. For f >= 0 and fs > 0.
  static int32_t coefficientFor(float f, int32_t fs);

  ZR_Buffer* input = nullptr;  // set while the graph is built; not owned
  ZR_Buffer* output = nullptr;
  ZR_Buffer* magnitude = nullptr;
  std::atomic<float> attackFrequency{0};   // f1
  std::atomic<float> releaseFrequency{0};  // f2
  std::atomic<int32_t> attack{0};
  std::atomic<int32_t> release{0};
  int32_t envelope = 0;

  static ZR_Object* create();
  static ZR_value m_i(ZR_Object* object, ZR_value value);
  static ZR_value m_o(ZR_Object* object, ZR_value value);
  static ZR_value m_a(ZR_Object* object, ZR_value value);
  /// "f1", "f2": an integer or a real, in Hz; a negative or non-finite frequency is refused.
  static ZR_value m_f1(ZR_Object* object, ZR_value value);
  static ZR_value m_f2(ZR_Object* object, ZR_value value);
  static const ZR_Option table[];
};
