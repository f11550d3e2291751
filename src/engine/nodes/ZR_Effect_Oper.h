#pragma once
#include <atomic>
#include <cstdint>

#include "engine/ZR_Effect.h"
#include "engine/kernels/ZR_kern_oper.h"

class ZR_Buffer;

/// Combines two buffers sample by sample (in1 op in2) and merges the result in the output mode.
class ZR_Effect_Oper : public ZR_Effect {
 public:
  /// [audio] No allocation, no locks.
  void process() override;

  ZR_Buffer* input1 = nullptr;  // set while the graph is built; not owned
  ZR_Buffer* input2 = nullptr;
  ZR_Buffer* output = nullptr;
  std::atomic<int32_t> oper{ZR_OPER_ADD};

  static ZR_Object* create();
  static ZR_value m_i1(ZR_Object* object, ZR_value value);
  static ZR_value m_i2(ZR_Object* object, ZR_value value);
  static ZR_value m_o(ZR_Object* object, ZR_value value);
  /// "oper": a name of ZR_oper_names; anything else leaves the operator as it is.
  static ZR_value m_oper(ZR_Object* object, ZR_value value);
  static const ZR_Option table[];
};
