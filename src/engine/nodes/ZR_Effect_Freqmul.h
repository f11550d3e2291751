#pragma once
#include <cstdint>

#include "engine/nodes/ZR_Effect_Multiplier.h"

/// Multiplies the frequency of a periodic signal by the integer k: each period between two rising
/// zero crossings is written k times into a ring, which is read k entries per output sample. Written
/// as mode "set" whatever the mode; reset keeps the ring.
class ZR_Effect_Freqmul : public ZR_Effect_Multiplier {
 public:
  static constexpr uint32_t kRing = 16384;

  /// [audio] No allocation, no locks; at most one ring of copying per zero crossing.
  void process() override;

  static ZR_Object* create();
  static const ZR_Option table[];

 private:
  int32_t ring[kRing] = {};
};
