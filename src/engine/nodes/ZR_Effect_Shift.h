#pragma once
#include <cstdint>

#include "engine/nodes/ZR_Effect_Shifter.h"

/// Pitch shifter like ZR_Effect_Nshift, but the two tap weights are normalised by the larger one
/// and a correction tap read from the node's own output history is subtracted, which evens out the
/// level dip of the cross-fade. Written as mode "set" whatever the mode.
class ZR_Effect_Shift : public ZR_Effect_Shifter {
 public:
  /// [audio] No allocation, no locks.
  void process() override;
  /// Clears both rings. [the thread that runs blocks] No allocation, no locks.
  void reset() override;

  /// d = P / (1 - sigma / 16384) truncated and saturated: the delay of the correction tap, in phase
  /// units (at sigma = 16384 the quotient is infinite).
  static int32_t correctionDelay(int32_t window, int32_t sigma);

  static ZR_Object* create();
  static const ZR_Option table[];

 private:
  int32_t y[kRing] = {};  // Y, the output ring
};
