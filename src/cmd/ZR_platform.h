#pragma once
// What each platform layer (platform/win32, platform/native) provides to the command layer.
#include <cstddef>

#include "cmd/ZR_error.h"

/// Shows a modal message box (native: writes it to standard error).
void ZR_platform_message_box(const char* text, const char* caption);

/// Finds the resource of type "DATA" called name (case-insensitive) in the running module.
/// Returns ZR_OK and its bytes, or the resource error code of the step that failed.
ZR_error ZR_platform_resource(const char* name, const void** data, size_t* size);
