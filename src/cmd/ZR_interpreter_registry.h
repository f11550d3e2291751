#pragma once
// The interpreter over a registry of the caller's choice: the class vocabulary is data, and
// tests run commands against a small registry of their own.
#include <cstdarg>

#include "cmd/ZR_Option.h"
#include "cmd/ZR_error.h"

ZR_error ZR_command_in(const ZR_Class* registry, int flags, char* text, char* out, int* capacity,
                       va_list arguments);
ZR_error ZR_exec_in(const ZR_Class* registry, const char* text, ...);
ZR_error ZR_vexec_in(const ZR_Class* registry, const char* text, va_list arguments);
