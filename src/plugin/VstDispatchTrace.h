#pragma once
#include <cstddef>

#include "plugin/AEffect.h"

/// An opcode and the name the trace gives it.
struct VstOpcodeName {
  VstInt32 opcode;
  const char* name;
};

/// The name of opcode in a dispatcher's table, "UNKNOWN" when the table lacks it.
const char* vstOpcodeName(const VstOpcodeName* table, size_t count, VstInt32 opcode);

/// Writes one dispatcher trace line to standard output: "<who>::dispatcher opcode=... (...)".
/// [host threads] Formats text: not for the audio path.
void vstTraceDispatch(const char* who, const VstOpcodeName* table, size_t count, VstInt32 opcode,
                      VstInt32 index, VstIntPtr value, void* ptr, float opt);
