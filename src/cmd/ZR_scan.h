#pragma once
#include "cmd/ZR_value.h"

/// Reads the word at text[*position]: hexadecimal (object), decimal (integer), real or text.
/// *position ends on the space or zero byte that ended the word. Null position: start at 0.
/// [any thread] The first call builds the tables and must come before other threads scan.
ZR_value ZR_scan(const char* text, int* position);

/// True when both words (each ending at a space or zero byte) are the same, case-sensitively.
bool ZR_word_equal(const char* a, const char* b);
