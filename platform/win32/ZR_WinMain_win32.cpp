// The program's start until the standalone host takes it over: it finds the plug-in entry among its
// own exports, as the host will, creates one effect, names it and closes it again.
#include <windows.h>

#include <cstdio>

#include "plugin/AEffect.h"

namespace {

VstIntPtr hostCallback(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
  return opcode == audioMasterVersion ? 2400 : 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  using Entry = AEffect* (*)(audioMasterCallback);
  // GetProcAddress answers a generic function type; the entry's own type is ours to restore.
  auto entry = reinterpret_cast<Entry>(
      reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA(nullptr), "_VSTPluginMain")));
  if (!entry) {
    std::fprintf(stderr, "qorm: no plug-in entry among the exports\n");
    return 1;
  }
  AEffect* effect = entry(hostCallback);
  if (!effect) {
    std::fprintf(stderr, "qorm: the plug-in entry created no effect\n");
    return 1;
  }
  char product[kVstMaxProductStrLen] = {};
  effect->dispatcher(effect, effGetProductString, 0, 0, product, 0.0f);
  effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
  std::printf("qorm: %s\n", product);
  return 0;
}
