#pragma once
#include <cstdint>
#include <cstring>

#include "cmd/ZR_Object.h"
#include "cmd/ZR_value.h"
#include "cmd/ZR_word.h"

// Option values as handlers accept them. Numbers may come as integers or reals; a real that has no
// integer meaning (not a number, infinite, beyond 32 bits) is refused rather than converted, because
// converting it is undefined and traps on some targets. An object option refuses anything that is
// not an object of the expected class, because a node that took a number or a widget for a buffer
// would write through it on the audio thread.

/// An integer as it is, a real truncated toward zero; false for every other kind and for reals
/// outside the 32-bit range.
inline bool ZR_number_truncated(const ZR_value& value, int32_t* result) {
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

/// A real as it is, an integer converted to a real; false for every other kind.
inline bool ZR_number_real(const ZR_value& value, float* result) {
  if (value.kind == ZR_KIND_REAL) {
    *result = value.value.f;
    return true;
  }
  if (value.kind != ZR_KIND_INTEGER) return false;
  *result = static_cast<float>(value.value.i);
  return true;
}

/// An object of class T, or null for the object 0 (written 0 or 0x0); false for every other kind,
/// for byte blocks and for objects of other classes. Any other object pointer must be a live object.
template <typename T>
bool ZR_object_of(const ZR_value& value, T** result) {
  const bool zero = (value.kind == ZR_KIND_INTEGER && value.value.i == 0) ||
                    (value.kind == ZR_KIND_OBJECT && value.value.p == nullptr);
  if (zero) {
    *result = nullptr;
    return true;
  }
  if (value.kind != ZR_KIND_OBJECT || value.length >= 0) return false;
  T* object = dynamic_cast<T*>(static_cast<ZR_Object*>(value.value.p));
  if (!object) return false;
  *result = object;
  return true;
}

/// The index of a text value in a table of names, searched from the last entry to the first
/// (case-sensitive); -1 for a text that is none of them and for values of other kinds.
inline int32_t ZR_name_index(const char* const* names, int32_t count, const ZR_value& value) {
  if (value.kind != ZR_KIND_TEXT || !value.value.s) return -1;
  for (int32_t i = count - 1; i >= 0; --i)
    if (std::strcmp(names[i], value.value.s) == 0) return i;
  return -1;
}

/// An object's pointer, or null for the number 0 (no object); false for every other value.
inline bool ZR_pointer_of(const ZR_value& value, void** result) {
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
inline bool ZR_color_of(const ZR_value& value, uint32_t* result) {
  if (value.kind == ZR_KIND_OBJECT && value.length < 0) {
    *result = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(value.value.p));
    return true;
  }
  int32_t number = 0;
  if (!ZR_number_truncated(value, &number)) return false;
  *result = static_cast<uint32_t>(number);
  return true;
}
