#include "StubEffect.h"

#include <algorithm>
#include <cstring>

StubEffect::StubEffect(int32_t n) : number(n) {
  record.magic = kEffectMagic;
  record.dispatcher = &StubEffect::dispatch;
  record.processReplacing = &StubEffect::processReplacing;
  record.numInputs = 1;
  record.numOutputs = 2;
  record.flags = effFlagsHasEditor | effFlagsCanReplacing;
  record.object = this;
}

AEffect* StubEffect::entry(audioMasterCallback master) {
  if (!master || refuse) return nullptr;
  masterVersion = master(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f);
  char text[kVstMaxVendorStrLen] = {};
  if (master(nullptr, audioMasterGetVendorString, 0, 0, text, 0.0f) == 1) vendor = text;
  auto* stub = new StubEffect(created++);
  open_.push_back(stub);
  return &stub->record;
}

void StubEffect::reset() {
  requests.clear();
  refuse = false;
  created = 0;
  masterVersion = 0;
  vendor.clear();
}

std::vector<StubEffect::Request> StubEffect::requestsOf(VstInt32 opcode) {
  std::vector<Request> found;
  for (const Request& r : requests)
    if (r.opcode == opcode) found.push_back(r);
  return found;
}

std::vector<VstInt32> StubEffect::opcodesOf(int32_t effect) {
  std::vector<VstInt32> found;
  for (const Request& r : requests)
    if (r.effect == effect) found.push_back(r.opcode);
  return found;
}

StubEffect* StubEffect::find(int32_t effect) {
  for (StubEffect* stub : open_)
    if (stub->number == effect) return stub;
  return nullptr;
}

VstIntPtr StubEffect::dispatch(AEffect* e, VstInt32 opcode, VstInt32, VstIntPtr, void* ptr, float opt) {
  auto* stub = static_cast<StubEffect*>(e->object);
  requests.push_back({stub->number, opcode, ptr, opt});
  switch (opcode) {
    case effClose:
      open_.erase(std::find(open_.begin(), open_.end(), stub));
      delete stub;
      return 1;
    case effEditGetRect:
      *static_cast<ERect**>(ptr) = &stub->rect;
      return 1;
    case effGetProductString:
      std::strcpy(static_cast<char*>(ptr), "Stub product");
      return 1;
    default:
      return 0;
  }
}

void StubEffect::processReplacing(AEffect* e, float** inputs, float** outputs, VstInt32 frames) {
  for (VstInt32 k = 0; k < frames; ++k) {
    outputs[0][k] = kFirstGain * inputs[0][k];
    outputs[1][k] = kSecondGain * inputs[0][k];
  }
  static_cast<StubEffect*>(e->object)->blocks.fetch_add(1, std::memory_order_relaxed);
}
