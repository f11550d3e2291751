#pragma once
#include "plugin/AEffect.h"

/// The host callback the standalone host gives every effect it creates: answers the version query
/// with 2400 and the vendor-string query with "Steinberg Media Technologies" (the name effects
/// written for that vendor's hosts look for), everything else with 0. Keeps no state.
/// [any thread] No allocation, no locks.
VstIntPtr ZR_host_callback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                           float opt);
