#pragma once

/// An error code is the address of its constant message; codes compare by identity.
typedef const char* ZR_error;

extern const char ZR_OK[];
extern const char ZR_ERROR_UNKNOWN[];
extern const char ZR_ERROR_FILE_CANNOT_OPEN[];
extern const char ZR_ERROR_FILE_CANNOT_READ[];
extern const char ZR_ERROR_FILE_CANNOT_CLOSE[];
extern const char ZR_ERROR_MEMORY_CANNOT_ALLOCATE[];
extern const char ZR_ERROR_MEMORY_CANNOT_REALLOC[];
extern const char ZR_ERROR_MEMORY_CANNOT_FREE[];
extern const char ZR_ERROR_PARAM_REQUIRED[];
extern const char ZR_ERROR_RESOURCE_CANNOT_LOAD[];
extern const char ZR_ERROR_RESOURCE_CANNOT_FIND[];
extern const char ZR_ERROR_RESOURCE_CANNOT_LOCK[];
extern const char ZR_ERROR_AUDIO[];
extern const char ZR_ERROR_AUDIO_CANNOT_OPEN[];
extern const char ZR_ERROR_AUDIO_CANNOT_INPUT_STOP[];
extern const char ZR_ERROR_AUDIO_CANNOT_INPUT_CLOSE[];
extern const char ZR_ERROR_AUDIO_CANNOT_OUTPUT_RESET[];
extern const char ZR_ERROR_AUDIO_CANNOT_OUTPUT_CLOSE[];
extern const char ZR_ERROR_COMMAND_NOT_FOUND[];
extern const char ZR_ERROR_COMMAND_NOT_PARAM[];
extern const char ZR_ERROR_COMMAND_NOT_SPACE[];

/// Every code in table order, for code that lists or checks them all.
extern const ZR_error ZR_errors[21];

/// Shows a framework failure to the user in a modal box captioned "ERROR" (text cut at the buffer).
/// [window thread or any] Blocks until closed; two simultaneous reports share one buffer.
void ZR_error_func(const char* path, int line, const char* proc, const char* date, const char* time,
                   const char* text);

/// Reports at the caller's place with the build's date and time.
#define ZR_ERROR_HERE(proc, text) ZR_error_func(__FILE__, __LINE__, proc, __DATE__, __TIME__, text)
