#pragma once
#include <atomic>
#include <cstdint>

#include "engine/ZR_Effect.h"
#include "engine/kernels/ZR_kern_oper.h"

class ZR_Buffer;

/// Combines a buffer with a fixed-point constant k (in op k) and merges the result in the output
/// mode.
class ZR_Effect_Koef : public ZR_Effect {
 public:
  /// [audio] No allocation, no locks.
  void process() override;

  /// k = v * (1/127) * 2^31 truncated, with 1/127 in extended precision; v outside +-127 gives the
  /// nearest constant that fits.
  static int32_t constantFor(float v);

  ZR_Buffer* input = nullptr;  // set while the graph is built; not owned
  ZR_Buffer* output = nullptr;
  std::atomic<int32_t> oper{ZR_OPER_ADD};
  std::atomic<int32_t> k{0};

  static ZR_Object* create();
  static ZR_value m_i(ZR_Object* object, ZR_value value);
  static ZR_value m_o(ZR_Object* object, ZR_value value);
  /// "oper": a name of ZR_oper_names; anything else leaves the operator as it is.
  static ZR_value m_oper(ZR_Object* object, ZR_value value);
  /// "k": a real, or an integer taken as that number; a non-finite value is refused.
  static ZR_value m_k(ZR_Object* object, ZR_value value);
  static const ZR_Option table[];
};
