#include "cmd/ZR_resource.h"

#include "cmd/ZR_error.h"
#include "cmd/ZR_platform.h"

void* hInstance = nullptr;

namespace {
// Each failing step reports at its own line, as users of this framework know them.
struct StepReport {
  ZR_error code;
  int line;
};
constexpr StepReport kStepReports[] = {
    {ZR_ERROR_RESOURCE_CANNOT_FIND, 121},
    {ZR_ERROR_RESOURCE_CANNOT_LOAD, 130},
    {ZR_ERROR_RESOURCE_CANNOT_LOCK, 138},
};
}  // namespace

const void* ZR_resource_sized(const char* name, size_t* size) {
  const void* data = nullptr;
  size_t bytes = 0;
  ZR_error result = ZR_platform_resource(name, &data, &bytes);
  if (size) *size = result == ZR_OK ? bytes : 0;
  if (result == ZR_OK) return data;
  for (const StepReport& report : kStepReports) {
    if (report.code != result) continue;
    // Not found names the resource itself, so the user sees which one is missing.
    const char* text = result == ZR_ERROR_RESOURCE_CANNOT_FIND ? name : result;
    ZR_error_func("ZR_cfuncs", report.line, "ZR_resource", __DATE__, __TIME__, text);
  }
  return nullptr;
}

const void* ZR_resource(const char* name) { return ZR_resource_sized(name, nullptr); }

void ZR_initall() {}
