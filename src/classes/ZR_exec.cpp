// The interpreter's entry points bound to the product's class registry.
#include "classes/ZR_exec.h"
#include "cmd/ZR_interpreter_registry.h"

ZR_error ZR_command(int flags, char* text, char* out, int* capacity, va_list arguments) {
  return ZR_command_in(_ZR, flags, text, out, capacity, arguments);
}

ZR_error ZR_exec(const char* text, ...) {
  va_list arguments;
  va_start(arguments, text);
  ZR_error result = ZR_vexec_in(_ZR, text, arguments);
  va_end(arguments);
  return result;
}
