#pragma once
#include "engine/nodes/ZR_Effect_Clamp.h"

/// Passes the signal below the limit l and holds it at l above: out = min(in, l). With l = 0 it keeps
/// only the negative half.
class ZR_Effect_Ltzero : public ZR_Effect_Clamp {
 public:
  /// [audio] No allocation, no locks.
  void process() override { clampBlock<false>(); }

  static ZR_Object* create();
  static const ZR_Option table[];
};
