// Any command text, run in text mode against a small vocabulary: it must neither crash, leak, write
// past the result buffer nor leave the text changed.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "ZR_probe_registry.h"
#include "cmd/ZR_interpreter_registry.h"

static ZR_error runText(char* text, char* out, int* capacity, ...) {
  va_list arguments;
  va_start(arguments, capacity);
  ZR_error result = ZR_command_in(kProbeRegistry, ZR_COMMAND_TEXT, text, out, capacity, arguments);
  va_end(arguments);
  return result;
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  std::freopen("/dev/null", "w", stdout);  // the interpreter's complaints are expected here
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  text = text.c_str();  // a command ends at its first zero byte
  // Placeholders take the caller's arguments: eight object ones are given (a real probe), the rest
  // become absent values.
  int objects = 0;
  for (size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != '%') continue;
    if (text[i + 1] == 'o' && objects < 8)
      ++objects;
    else if (text[i + 1] && std::strchr("fiso", text[i + 1]))
      text[i + 1] = 'x';
  }
  Probe* target = new Probe;
  const std::string before = text;
  char out[72];
  std::memset(out, '#', sizeof out);
  int capacity = 64;
  runText(text.data(), out, &capacity, target, target, target, target, target, target, target, target);
  if (text != before || std::memcmp(out + 64, "########", 8) != 0) std::abort();
  while (!Probe::everyProbe.empty()) delete *Probe::everyProbe.begin();
  return 0;
}
