#include <cstdio>

#include "cmd/ZR_platform.h"

// Headless: there is no screen to show a box on, so the text goes where a person running it looks.
void ZR_platform_message_box(const char* text, const char* caption) {
  std::fprintf(stderr, "[%s] %s\n", caption, text);
  std::fflush(stderr);
}
