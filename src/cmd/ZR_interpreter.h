#pragma once
#include "cmd/ZR_error.h"

/// ZR_command flags.
enum : int {
  ZR_COMMAND_TEXT = 1,     // results are written as text into out
  ZR_COMMAND_POINTER = 2,  // created objects and results are stored through pointer arguments
};

/// The word after the class name of the command that is creating an object (text only), else null.
extern const char* ZR_specialobject;
