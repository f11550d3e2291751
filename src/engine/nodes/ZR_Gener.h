#pragma once
#include "engine/ZR_Effect.h"

/// Base of the nodes that fill an output buffer from nothing. Not created by command; its name
/// selects the effect options for any generator.
class ZR_Gener : public ZR_Effect {
 public:
  /// Starts the generator's signal again from its beginning. [any thread] No allocation, no locks.
  virtual void restart() {}

  static const ZR_Option table[];
};
