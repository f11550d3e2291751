#pragma once
// The interpreter's entry points bound to the product's class registry.
#include <cstdarg>

#include "cmd/ZR_interpreter.h"

/// Runs one command. text must be writable: a handler sees its value word terminated, and the
/// text is restored afterwards. In text mode *capacity is the size of out on entry and the bytes
/// used on success. [any thread] Not for the audio path; one text must not run on two threads.
ZR_error ZR_command(int flags, char* text, char* out, int* capacity, va_list arguments);

/// The printf-style entry every command of this system goes through (pointer mode). It runs on a
/// private copy of text, so literals are fine and two threads may run the same text; created
/// objects still refer to the caller's text as their creation text. An ordinary command text is
/// copied on the stack, and an object given as "%o" is taken as it is, without the lock of the
/// object census. [any thread] No allocation for texts under 256 bytes, no locks.
ZR_error ZR_exec(const char* text, ...);
