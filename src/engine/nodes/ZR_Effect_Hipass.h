#pragma once
#include "engine/nodes/ZR_Effect_Onepole.h"

/// First-order high-pass: out = in - low-pass(in). It always overwrites its output buffer, whatever
/// its output mode.
class ZR_Effect_Hipass : public ZR_Effect_Onepole {
 public:
  /// [audio] No allocation, no locks.
  void process() override;

  static ZR_Object* create();
  static const ZR_Option table[];
};
