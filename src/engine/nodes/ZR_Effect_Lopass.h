#pragma once
#include "engine/nodes/ZR_Effect_Onepole.h"

/// First-order low-pass: its output is merged into the output buffer in the node's output mode.
class ZR_Effect_Lopass : public ZR_Effect_Onepole {
 public:
  /// [audio] No allocation, no locks.
  void process() override;

  static ZR_Object* create();
  static const ZR_Option table[];
};
