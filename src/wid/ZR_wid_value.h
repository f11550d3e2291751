#pragma once
#include <cmath>
#include <cstdint>

#include "cmd/ZR_value.h"

// Option values as the widgets' handlers accept them: numbers may come as integers or reals, and a
// real with no 32-bit integer meaning (not a number, infinite, too large) is refused rather than
// converted, since that conversion is undefined.

/// Saturates x into the 32-bit range and truncates it toward zero; not a number gives 0.
inline int32_t ZR_wid_truncate(long double x) {
  if (!(x == x)) return 0;
  if (x <= -2147483648.0L) return INT32_MIN;
  if (x >= 2147483647.0L) return INT32_MAX;
  return static_cast<int32_t>(x);
}

/// An integer as it is, a real truncated toward zero; false for other kinds and reals out of range.
inline bool ZR_wid_integer(const ZR_value& value, int32_t* result) {
  if (value.kind == ZR_KIND_INTEGER) {
    *result = value.value.i;
    return true;
  }
  if (value.kind != ZR_KIND_REAL) return false;
  const double real = value.value.f;
  if (!(real > -2147483649.0 && real < 2147483648.0)) return false;
  *result = static_cast<int32_t>(real);
  return true;
}

/// A real as it is, an integer converted to a real; false for other kinds.
inline bool ZR_wid_real(const ZR_value& value, float* result) {
  if (value.kind == ZR_KIND_REAL) {
    *result = value.value.f;
    return true;
  }
  if (value.kind != ZR_KIND_INTEGER) return false;
  *result = static_cast<float>(value.value.i);
  return true;
}

/// An object's pointer, or null for the number 0 (no object); false for every other value.
inline bool ZR_wid_pointer(const ZR_value& value, void** result) {
  if (value.kind == ZR_KIND_OBJECT) {
    *result = value.value.p;
    return true;
  }
  if (value.kind != ZR_KIND_INTEGER || value.value.i != 0) return false;
  *result = nullptr;
  return true;
}

/// A colour or pixel value: an integer, or a word written in hexadecimal (which reads as an object,
/// so "0x00A57BBD" names a colour too); false for every other value.
inline bool ZR_wid_color(const ZR_value& value, uint32_t* result) {
  if (value.kind == ZR_KIND_OBJECT && value.length < 0) {
    *result = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(value.value.p));
    return true;
  }
  int32_t number = 0;
  if (!ZR_wid_integer(value, &number)) return false;
  *result = static_cast<uint32_t>(number);
  return true;
}
