#pragma once
#include <atomic>
#include <cstdint>

#include "engine/ZR_Effect.h"

class ZR_Buffer;

/// Eightfold upsampler: each input sample becomes eight output samples on a curve through the
/// input's samples (divided by 8) with slopes from central differences; the output lags the input by
/// two input samples. The output buffer's own fixed length says how many samples a block writes; a
/// buffer that follows the block length receives nothing. Written as mode "set" whatever the mode.
class ZR_Effect_Oversam : public ZR_Effect {
 public:
  /// [audio] No allocation, no locks.
  void process() override;
  /// [the thread that runs blocks] No allocation, no locks.
  void reset() override { p0 = p1 = p2 = m0 = m1 = 0; }

  ZR_Buffer* input = nullptr;  // set while the graph is built; not owned
  ZR_Buffer* output = nullptr;
  std::atomic<int32_t> k{1};  // kept and answered; the factor is always 8
  int32_t p0 = 0, p1 = 0, p2 = 0, m0 = 0, m1 = 0;

  static ZR_Object* create();
  static ZR_value m_i(ZR_Object* object, ZR_value value);
  static ZR_value m_o(ZR_Object* object, ZR_value value);
  /// "k": an integer, or a real truncated; it changes nothing in processing.
  static ZR_value m_k(ZR_Object* object, ZR_value value);
  static const ZR_Option table[];
};
