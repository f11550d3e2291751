#include <windows.h>

#include "ZR_module_win32.h"
#include "cmd/ZR_platform.h"
#include "cmd/ZR_resource.h"

// A null hInstance means "our own module": the executable when it runs as the host, but the DLL
// when a host loaded qorm.dll, whose resources are not in the host's executable.
ZR_error ZR_platform_resource(const char* name, const void** data, size_t* size) {
  HMODULE module = hInstance ? static_cast<HMODULE>(hInstance) : ZR_module_win32();
  HRSRC found = FindResourceA(module, name, "DATA");
  if (!found) return ZR_ERROR_RESOURCE_CANNOT_FIND;
  HGLOBAL loaded = LoadResource(module, found);
  if (!loaded) return ZR_ERROR_RESOURCE_CANNOT_LOAD;
  const void* locked = LockResource(loaded);
  if (!locked) return ZR_ERROR_RESOURCE_CANNOT_LOCK;
  *data = locked;
  *size = SizeofResource(module, found);
  return ZR_OK;
}
