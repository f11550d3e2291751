#pragma once
#include <atomic>
#include <cstdint>

#include "engine/nodes/ZR_Gener.h"

class ZR_Buffer;

/// Exponential envelope: 2^25 (1/32 of full scale) until the start time beg, then
/// 2^25 exp(-(t - beg) / time), t counted in samples of the clock since the start. Written directly
/// whatever the mode; reset leaves the count alone, restart starts it again.
class ZR_Gener_Exp : public ZR_Gener {
 public:
  /// [audio] No allocation, no locks.
  void process() override;
  /// The next block starts again at t = 0. [any thread] No allocation, no locks.
  void restart() override { restartPending.store(true, std::memory_order_relaxed); }

  ZR_Buffer* output = nullptr;  // set while the graph is built; not owned
  std::atomic<float> beg{0};    // seconds: the envelope holds until then
  std::atomic<float> time{1};   // seconds: the time constant of the decay
  int32_t counter = 0;          // samples since the start; stops at its maximum
  std::atomic<bool> restartPending{false};

  static ZR_Object* create();
  /// "beg": a real, or an integer taken as that number.
  static ZR_value m_beg(ZR_Object* object, ZR_value value);
  /// "time": a real, or an integer taken as that number; a negative or non-finite time is refused.
  static ZR_value m_time(ZR_Object* object, ZR_value value);
  static ZR_value m_o(ZR_Object* object, ZR_value value);
  static const ZR_Option table[];
};
