#pragma once
#include <atomic>
#include <cstdint>

#include "engine/ZR_Effect.h"

class ZR_Buffer;

/// What the first-order low-pass and high-pass share: buffers, cutoff, the one-pole coefficient and
/// its state. Not a class of its own in the command language; the two filters register its options.
class ZR_Effect_Onepole : public ZR_Effect {
 public:
  /// Recomputes the coefficient from the cutoff and the clock. [command thread]
  void recompute() override;
  /// [the thread that runs blocks] No allocation, no locks.
  void reset() override { state = 0; }
  /// [audio] No allocation, no locks.
  void stageCoefficients() override { staged_ = coefficient.load(std::memory_order_acquire); }
  void commitCoefficients() override { inForce_ = staged_; }

  /// a = floor(f pi 2^32 / (f pi + fs / 2)): the backward-Euler one-pole with corner f, as a
  /// fraction of 2^32. For f > 0 and fs > 0.
  static uint32_t coefficientFor(int32_t f, int32_t fs);

  ZR_Buffer* input = nullptr;  // set while the graph is built; not owned
  ZR_Buffer* output = nullptr;
  std::atomic<int32_t> frequency{0};
  std::atomic<uint32_t> coefficient{0};  // pending: blocks take it at their start
  int32_t state = 0;                     // the low-pass output of the last sample

  static ZR_value m_i(ZR_Object* object, ZR_value value);
  static ZR_value m_o(ZR_Object* object, ZR_value value);
  /// "f": an integer, or a real truncated; a negative or non-numeric cutoff is refused.
  static ZR_value m_f(ZR_Object* object, ZR_value value);

 protected:
  /// The arrays and length of this block; false when a buffer is missing or the block is empty.
  /// [audio]
  bool blockArrays(const int32_t** in, int32_t** out, int32_t* n);
  /// The coefficient of the block being run. [audio]
  uint32_t coefficientInForce() const { return inForce_; }

 private:
  uint32_t staged_ = 0;
  uint32_t inForce_ = 0;
};
