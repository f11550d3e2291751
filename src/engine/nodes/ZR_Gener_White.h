#pragma once
#include <cstdint>

#include "engine/nodes/ZR_Gener.h"

class ZR_Buffer;

/// White noise at half of full scale: (r - 16384) 2^16 for r uniform in 0..32767, filled from the
/// last sample of the block to the first. Written directly whatever the mode.
class ZR_Gener_White : public ZR_Gener {
 public:
  /// [audio] No allocation, no locks.
  void process() override;

  /// The next number 0..32767 of this thread's stream: the classic Windows runtime's rand
  /// (state = state 214013 + 2531011, bits 16 to 30), seeded with 1 on every thread, so both
  /// targets give the same sequence. [any thread] No allocation, no locks.
  static int32_t nextRandom();

  ZR_Buffer* output = nullptr;  // set while the graph is built; not owned

  static ZR_Object* create();
  static ZR_value m_o(ZR_Object* object, ZR_value value);
  static const ZR_Option table[];
};
