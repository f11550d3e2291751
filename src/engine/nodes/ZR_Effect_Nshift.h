#pragma once
#include "engine/nodes/ZR_Effect_Shifter.h"

/// Pitch shifter with two interpolated taps P apart that move through the window and are cross-faded
/// with sin^2 weights, so a tap leaving the window hands over to the other at the same delay. Written
/// as mode "set" whatever the mode.
class ZR_Effect_Nshift : public ZR_Effect_Shifter {
 public:
  /// [audio] No allocation, no locks.
  void process() override;
  /// Clears the ring. [the thread that runs blocks] No allocation, no locks.
  void reset() override;

  static ZR_Object* create();
  static const ZR_Option table[];
};
