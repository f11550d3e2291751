#include <strings.h>

#include "ZR_resource_table.h"
#include "cmd/ZR_platform.h"

// Windows finds resource names without regard to case; the native table behaves the same.
ZR_error ZR_platform_resource(const char* name, const void** data, size_t* size) {
  for (const ZR_resource_entry* entry = ZR_resource_table; entry->name; ++entry) {
    if (strcasecmp(entry->name, name) == 0) {
      *data = entry->data;
      *size = entry->size;
      return ZR_OK;
    }
  }
  return ZR_ERROR_RESOURCE_CANNOT_FIND;
}
