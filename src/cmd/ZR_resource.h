#pragma once
#include <cstddef>

/// The module whose resources ZR_resource searches; nothing sets it, so it names the program itself.
extern void* hInstance;

/// Bytes of the resource of type "DATA" called name, valid for the life of the process; null after
/// reporting a failure through the error box. [any thread]
const void* ZR_resource(const char* name);

/// Same lookup, also giving the size in bytes (0 when not found).
const void* ZR_resource_sized(const char* name, size_t* size);

/// Exported for the standalone host; the framework's global objects are ready by then.
void ZR_initall();
