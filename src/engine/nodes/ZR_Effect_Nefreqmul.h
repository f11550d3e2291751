#pragma once
#include <atomic>
#include <cstdint>

#include "engine/kernels/ZR_kern_mode.h"
#include "engine/nodes/ZR_Effect_Multiplier.h"

/// Frequency multiplier with a plausibility test for zero crossings (the step at a crossing must be
/// between "rand" times and once the average step; "stab" is the weight of the old average) and a
/// forced cut when a period outgrows the delay. Repetitions alternate between the period played
/// backwards and mirrored, and the period as it was; the last mirrored one fades into the plain
/// period. The result is merged into the output in the node's output mode.
class ZR_Effect_Nefreqmul : public ZR_Effect_Multiplier {
 public:
  static constexpr uint32_t kRing = 32768;

  /// [audio] No allocation, no locks; at most one ring of copying per crossing.
  void process() override;
  /// Clears the ring and the average step. [the thread that runs blocks] No allocation, no locks.
  void reset() override;

  std::atomic<double> rand{0.6};
  std::atomic<double> stab{0.7};

  static ZR_Object* create();
  /// "rand", "stab": an integer or a real.
  static ZR_value m_rand(ZR_Object* object, ZR_value value);
  static ZR_value m_stab(ZR_Object* object, ZR_value value);
  static const ZR_Option table[];

 private:
  template <int32_t M>
  static void play(const int32_t* ring, uint32_t from, uint32_t step, int32_t* out, int32_t n);
  static void (*const players[ZR_MODE_COUNT])(const int32_t*, uint32_t, uint32_t, int32_t*, int32_t);

  void repeat(uint32_t* w, int32_t x, int32_t factor);

  double averageStep = 0;
  int32_t ring[kRing] = {};
};
