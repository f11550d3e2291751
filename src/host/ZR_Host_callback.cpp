#include "host/ZR_Host_callback.h"

#include <cstring>

VstIntPtr ZR_host_callback(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void* ptr, float) {
  switch (opcode) {
    case audioMasterVersion:
      return 2400;
    case audioMasterGetVendorString:
      // An effect that passes no text gets no answer rather than a write through null.
      if (!ptr) return 0;
      std::strcpy(static_cast<char*>(ptr), "Steinberg Media Technologies");
      return 1;
    default:
      return 0;
  }
}
