#pragma once
#include "cmd/ZR_Option.h"

/// Base of everything a command creates. The interpreter fills in the option table and the
/// creating command's text right after construction.
class ZR_Object {
 public:
  ZR_Object();
  virtual ~ZR_Object();
  ZR_Object(const ZR_Object&) = delete;
  ZR_Object& operator=(const ZR_Object&) = delete;

  /// Whether address is an object that exists now: a command may name an object by a number.
  /// [any thread but the audio thread] Takes a lock.
  static bool exists(const void* address);

  const ZR_Option* options = nullptr;
  const char* creationText = nullptr;  // a reference into the caller's command, not a copy

  /// "delete": destroys the object; with a null object it only answers the empty value.
  static ZR_value m_delete(ZR_Object* object, ZR_value value);

  static const ZR_Option table[];
};
