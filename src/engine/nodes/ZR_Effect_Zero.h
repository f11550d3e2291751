#pragma once
#include "engine/ZR_Effect.h"

class ZR_Buffer;

/// Clears its output buffer on every block, whatever its output mode.
class ZR_Effect_Zero : public ZR_Effect {
 public:
  /// [audio] No allocation, no locks.
  void process() override;

  ZR_Buffer* output = nullptr;  // set while the graph is built; not owned

  static ZR_Object* create();
  static ZR_value m_o(ZR_Object* object, ZR_value value);
  static const ZR_Option table[];
};
