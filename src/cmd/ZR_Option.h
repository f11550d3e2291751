#pragma once
#include "cmd/ZR_value.h"

class ZR_Object;

/// An option handler: given a value (kind >= 2) it sets; it always returns the option's current value.
typedef ZR_value (*ZR_handler)(ZR_Object* object, ZR_value value);
/// A class constructor as commands call it; may read ZR_specialobject.
typedef ZR_Object* (*ZR_constructor)();

/// One row of a class's option table. The first row carries the constructor (name ""), the last
/// (name null) the table in which the search continues.
struct ZR_Option {
  const char* name;
  ZR_handler handler;
  ZR_constructor constructor;
  const ZR_Option* next;
};

#define ZR_OPTION_CONSTRUCTOR(function) \
  { "", nullptr, function, nullptr }
#define ZR_OPTION(name, function) \
  { name, function, nullptr, nullptr }
#define ZR_OPTION_NEXT(table) \
  { nullptr, nullptr, nullptr, table }

/// One row of the class registry: a name commands use and its option table.
struct ZR_Class {
  const char* name;
  const ZR_Option* options;
};

/// The class registry, searched from the start and ended by a row whose name is null.
extern const ZR_Class _ZR[];
