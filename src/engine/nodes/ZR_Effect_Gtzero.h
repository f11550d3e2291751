#pragma once
#include "engine/nodes/ZR_Effect_Clamp.h"

/// Passes the signal above the limit l and holds it at l below: out = max(in, l). With l = 0 it keeps
/// only the positive half.
class ZR_Effect_Gtzero : public ZR_Effect_Clamp {
 public:
  /// [audio] No allocation, no locks.
  void process() override { clampBlock<true>(); }

  static ZR_Object* create();
  static const ZR_Option table[];
};
