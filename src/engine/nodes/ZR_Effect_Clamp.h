#pragma once
#include <atomic>
#include <cstdint>

#include "engine/ZR_Effect.h"

class ZR_Buffer;

/// What the two one-sided limiters share: buffers and the limit l. Not a class of its own in the
/// command language; ZR_Effect_Gtzero and ZR_Effect_Ltzero register its options.
class ZR_Effect_Clamp : public ZR_Effect {
 public:
  ZR_Buffer* input = nullptr;  // set while the graph is built; not owned
  ZR_Buffer* output = nullptr;
  std::atomic<int32_t> limit{0};

  static ZR_value m_i(ZR_Object* object, ZR_value value);
  static ZR_value m_o(ZR_Object* object, ZR_value value);
  /// "l": an integer, or a real truncated; a real beyond 32 bits is refused.
  static ZR_value m_l(ZR_Object* object, ZR_value value);

 protected:
  /// One block of out = max(in, l) (Above) or min(in, l), written as mode "set" whatever the mode.
  /// [audio] No allocation, no locks.
  template <bool Above>
  void clampBlock();
};
