#include <windows.h>

#include "cmd/ZR_platform.h"

void ZR_platform_message_box(const char* text, const char* caption) {
  MessageBoxA(nullptr, text, caption, MB_OK);
}
