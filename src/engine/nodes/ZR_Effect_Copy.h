#pragma once
#include <atomic>
#include <cstdint>

#include "engine/ZR_Effect.h"

class ZR_Buffer;

/// Copies one buffer into another in the node's output mode, optionally every n-th sample read or
/// written (strides), so it can also interleave, pick, sum, subtract and invert.
class ZR_Effect_Copy : public ZR_Effect {
 public:
  /// [audio] No allocation, no locks.
  void process() override;

  ZR_Buffer* input = nullptr;  // set while the graph is built; not owned
  ZR_Buffer* output = nullptr;
  std::atomic<int32_t> inStride{1};
  std::atomic<int32_t> outStride{1};

  static ZR_Object* create();
  static ZR_value m_i(ZR_Object* object, ZR_value value);
  static ZR_value m_o(ZR_Object* object, ZR_value value);
  /// "is", "os": a stride below 1 is refused (it would divide by zero or write before the array).
  static ZR_value m_is(ZR_Object* object, ZR_value value);
  static ZR_value m_os(ZR_Object* object, ZR_value value);
  static const ZR_Option table[];
};
