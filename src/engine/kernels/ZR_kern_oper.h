#pragma once
#include <cstdint>

/// Operators of the two-input and constant kernels, in table order.
enum ZR_oper : int32_t {
  ZR_OPER_ADD = 0,
  ZR_OPER_SUB = 1,
  ZR_OPER_MUL = 2,
  ZR_OPER_DIV = 3,
  ZR_OPER_COUNT = 4
};

/// The operator names, in operator order: "add", "sub", "mul", "div".
extern const char* const ZR_oper_names[ZR_OPER_COUNT];

/// Two-input operator block: out is merged with in1 op in2. [audio] No allocation, no locks; out
/// may be one of the inputs.
typedef void (*ZR_kern_oper_fn)(const int32_t* in1, const int32_t* in2, int32_t* out, int32_t count);
/// Constant operator block: out is merged with in op k. [audio] No allocation, no locks; in may
/// equal out.
typedef void (*ZR_kern_koef_fn)(const int32_t* in, int32_t* out, int32_t count, int32_t k);

/// Entry operator * 6 + mode: "add" (saturating), "sub", "mul", "div" of two signals.
extern const ZR_kern_oper_fn ZR_kern_oper[24];
/// Entry operator * 6 + mode: "add", "sub" (both wrapping), "mul", "div" of a signal and a constant.
extern const ZR_kern_koef_fn ZR_kern_koef[24];
