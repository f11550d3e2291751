#include "plugin/VstDispatchTrace.h"

#include <cinttypes>
#include <cstdio>

const char* vstOpcodeName(const VstOpcodeName* table, size_t count, VstInt32 opcode) {
  for (size_t i = 0; i < count; ++i)
    if (table[i].opcode == opcode) return table[i].name;
  return "UNKNOWN";
}

// The value and the pointer print in full width, so the 32-bit build prints them as plain %d.
void vstTraceDispatch(const char* who, const VstOpcodeName* table, size_t count, VstInt32 opcode,
                      VstInt32 index, VstIntPtr value, void* ptr, float opt) {
  std::printf("%s::dispatcher opcode=%d '%s' index=%d value=%" PRIdPTR " ptr=%" PRIdPTR " opt=%f (%s)\n", who,
              static_cast<int>(opcode), vstOpcodeName(table, count, opcode), static_cast<int>(index),
              static_cast<intptr_t>(value), reinterpret_cast<intptr_t>(ptr), static_cast<double>(opt),
              " VST_FORCE_DEPRECATED VST_2_1_EXTENSIONS VST_2_3_EXTENSIONS VST_2_4_EXTENSIONS");
}
