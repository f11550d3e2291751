#pragma once
#include <atomic>

#include "engine/ZR_Effect.h"

class ZR_Buffer;

/// Soft limiter in double precision: a level s integrates how far the signal rises above the
/// threshold c, and the output is pulled from the input toward c by e = 0.01 / (s + 0.01). Written
/// as mode "set" whatever the mode.
class ZR_Effect_Lgd : public ZR_Effect {
 public:
  /// [audio] No allocation, no locks.
  void process() override;
  /// [the thread that runs blocks] No allocation, no locks.
  void reset() override { level = 0; }

  ZR_Buffer* input = nullptr;  // set while the graph is built; not owned
  ZR_Buffer* output = nullptr;
  double level = 0;                    // s: how far above c the signal has been, never negative
  std::atomic<double> threshold{0.1};  // c, in units of 2^31

  static ZR_Object* create();
  static ZR_value m_i(ZR_Object* object, ZR_value value);
  static ZR_value m_o(ZR_Object* object, ZR_value value);
  /// "c": a real, or an integer taken as that number; a non-finite threshold is refused. A
  /// threshold outside +-1 is taken; the output then saturates at the 32-bit limits.
  static ZR_value m_c(ZR_Object* object, ZR_value value);
  static const ZR_Option table[];
};
