#include "cmd/ZR_error.h"

#include <cstdio>

#include "cmd/ZR_message_box.h"

const char ZR_OK[] = "Operation OK";
const char ZR_ERROR_UNKNOWN[] = "Unknown error";
const char ZR_ERROR_FILE_CANNOT_OPEN[] = "Cannot open file";
const char ZR_ERROR_FILE_CANNOT_READ[] = "Cannot read file";
const char ZR_ERROR_FILE_CANNOT_CLOSE[] = "Cannot close file";
const char ZR_ERROR_MEMORY_CANNOT_ALLOCATE[] = "Cannot allocate memory";
const char ZR_ERROR_MEMORY_CANNOT_REALLOC[] = "Cannot re-allocate memory";
const char ZR_ERROR_MEMORY_CANNOT_FREE[] = "Cannot free memory";
const char ZR_ERROR_PARAM_REQUIRED[] = "Argument required";
const char ZR_ERROR_RESOURCE_CANNOT_LOAD[] = "Cannot load resource";
const char ZR_ERROR_RESOURCE_CANNOT_FIND[] = "Cannot find resource";
const char ZR_ERROR_RESOURCE_CANNOT_LOCK[] = "Cannot lock resource";
const char ZR_ERROR_AUDIO[] = "Audio operating error";
const char ZR_ERROR_AUDIO_CANNOT_OPEN[] = "Cannot open audio device";
const char ZR_ERROR_AUDIO_CANNOT_INPUT_STOP[] = "Cannot stop input audio device";
const char ZR_ERROR_AUDIO_CANNOT_INPUT_CLOSE[] = "Cannot close input audio device";
const char ZR_ERROR_AUDIO_CANNOT_OUTPUT_RESET[] = "Cannot reset output audio device";
const char ZR_ERROR_AUDIO_CANNOT_OUTPUT_CLOSE[] = "Cannot close output audio device";
const char ZR_ERROR_COMMAND_NOT_FOUND[] = "Command not found";
const char ZR_ERROR_COMMAND_NOT_PARAM[] = "Param not found";
const char ZR_ERROR_COMMAND_NOT_SPACE[] = "Not enough space for command result";

const ZR_error ZR_errors[21] = {
    ZR_OK,
    ZR_ERROR_UNKNOWN,
    ZR_ERROR_FILE_CANNOT_OPEN,
    ZR_ERROR_FILE_CANNOT_READ,
    ZR_ERROR_FILE_CANNOT_CLOSE,
    ZR_ERROR_MEMORY_CANNOT_ALLOCATE,
    ZR_ERROR_MEMORY_CANNOT_REALLOC,
    ZR_ERROR_MEMORY_CANNOT_FREE,
    ZR_ERROR_PARAM_REQUIRED,
    ZR_ERROR_RESOURCE_CANNOT_LOAD,
    ZR_ERROR_RESOURCE_CANNOT_FIND,
    ZR_ERROR_RESOURCE_CANNOT_LOCK,
    ZR_ERROR_AUDIO,
    ZR_ERROR_AUDIO_CANNOT_OPEN,
    ZR_ERROR_AUDIO_CANNOT_INPUT_STOP,
    ZR_ERROR_AUDIO_CANNOT_INPUT_CLOSE,
    ZR_ERROR_AUDIO_CANNOT_OUTPUT_RESET,
    ZR_ERROR_AUDIO_CANNOT_OUTPUT_CLOSE,
    ZR_ERROR_COMMAND_NOT_FOUND,
    ZR_ERROR_COMMAND_NOT_PARAM,
    ZR_ERROR_COMMAND_NOT_SPACE,
};

// Long enough for any path and message this framework reports; longer texts are cut.
static char errorText[2048];

void ZR_error_func(const char* path, int line, const char* proc, const char* date, const char* time,
                   const char* text) {
  std::snprintf(errorText, sizeof errorText, "Error: %s\nFile: %s\nLine: %d\nProc: %s\nDate: %s\nTime: %s",
                text, path, line, proc, date, time);
  ZR_message_box(errorText, "ERROR");
}
