#pragma once
#include <cstdarg>

#include "cmd/ZR_error.h"

/// ZR_command flags.
enum : int {
  ZR_COMMAND_TEXT = 1,     // results are written as text into out
  ZR_COMMAND_POINTER = 2,  // created objects and results are stored through pointer arguments
};

/// The word after the class name of the command that is creating an object (text only), else null.
extern const char* ZR_specialobject;

/// Runs one command. text must be writable: a handler sees its value word terminated, and the
/// text is restored afterwards. In text mode *capacity is the size of out on entry and the bytes
/// used on success. [any thread] Not for the audio path; one text must not run on two threads.
ZR_error ZR_command(int flags, char* text, char* out, int* capacity, va_list arguments);

/// The printf-style entry every command of this system goes through (pointer mode). It runs on a
/// private copy of text, so literals are fine and two threads may run the same text; created
/// objects still refer to the caller's text as their creation text.
ZR_error ZR_exec(const char* text, ...);
