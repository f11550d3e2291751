#include "cmd/ZR_value.h"

// The empty value is constant-initialised, so it is ready before any static constructor runs.
constinit const ZR_value ZR_EMPTY;
