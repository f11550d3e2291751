#include "plugin/ZR_Main_Vst.h"

#include <cstdio>
#include <cstring>

#include "app/ZR_Product.h"
#include "engine/ZR_Soundpipe.h"
#include "plugin/ZR_Main_Vst_editor.h"

namespace {

// Clears size bytes, then writes at most size - 1 characters: a text that fills them is ended by
// the zero bytes written first.
void writeCleared(char* text, size_t size, const char* value) {
  std::memset(text, 0, size);
  std::snprintf(text, size, "%s", value);
}

}  // namespace

// Where the platform has no editor window (the headless build) hosts are told of none.
ZR_Main_Vst::ZR_Main_Vst(audioMasterCallback audioMaster) : AudioEffectX(audioMaster, kPrograms, kParams) {
  application.build();
  sizeWindow(application.width, application.height);
  if (application.hasChunk()) programsAreChunks(true);
  setNumInputs(application.inputs);
  setNumOutputs(kOutputs);
  setUniqueID(kUniqueId);
  setEditor(ZR_Main_Vst_editor(*this));
}

ZR_Main_Vst::~ZR_Main_Vst() { application.destroy(); }

void ZR_Main_Vst::open() {
  if (ZR_Soundpipe* pipe = application.soundpipe()) pipe->clear();
}

void ZR_Main_Vst::setSampleRate(float rate) {
  // Rates beyond 32 bits (or not a number) are no rate at all: keep the one the nodes have.
  if (!(rate >= 0.0f && rate < 2147483648.0f)) return;
  application.sampleRate = static_cast<int32_t>(rate);
  application.setClock();
}

void ZR_Main_Vst::processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) {
  application.processBlock(inputs, outputs, sampleFrames);
}

ZR_Application::Param* ZR_Main_Vst::hostParam(VstInt32 index) {
  return index >= 0 && index < kParams ? application.param(index) : nullptr;
}

// The widgets' "dat" is the application, so every change applies with the application.
void ZR_Main_Vst::setParameter(VstInt32 index, float value) {
  if (ZR_Application::Param* param = hostParam(index)) {
    param->setNormalised(value);
    param->changed(&application);
  }
}

float ZR_Main_Vst::getParameter(VstInt32 index) {
  ZR_Application::Param* param = hostParam(index);
  return param ? param->normalised() : 0.0f;
}

void ZR_Main_Vst::getProgramName(char* name) { writeCleared(name, kVstMaxProgNameLen, kProgramName); }

void ZR_Main_Vst::getParamLabel(VstInt32 index, char* label) {
  std::memset(label, 0, kVstMaxParamStrLen);
  if (ZR_Application::Param* param = hostParam(index)) param->unitText(label, kVstMaxParamStrLen);
}

void ZR_Main_Vst::getParamDisplay(VstInt32 index, char* text) {
  std::memset(text, 0, kVstMaxParamStrLen);
  if (ZR_Application::Param* param = hostParam(index)) param->displayText(text, kVstMaxParamStrLen);
}

void ZR_Main_Vst::getParamName(VstInt32 index, char* text) {
  std::memset(text, 0, kVstMaxParamStrLen);
  if (ZR_Application::Param* param = hostParam(index)) param->nameText(text, kVstMaxParamStrLen);
}

VstInt32 ZR_Main_Vst::getChunk(void** data, bool) {
  const ZR_value chunk = application.getChunk();
  *data = chunk.value.p;
  return chunk.length;
}

VstInt32 ZR_Main_Vst::setChunk(void* data, VstInt32 byteSize, bool) {
  ZR_value chunk;
  chunk.value.p = data;
  chunk.length = byteSize;
  application.setChunk(chunk);
  return byteSize;
}

bool ZR_Main_Vst::getProgramNameIndexed(VstInt32, VstInt32, char* text) {
  std::snprintf(text, kVstMaxProgNameLen, "%s", kProgramName);
  return true;
}

bool ZR_Main_Vst::getEffectName(char* name) {
  std::snprintf(name, kVstMaxEffectNameLen, "%s", ZR_Product::effectName);
  return true;
}

bool ZR_Main_Vst::getVendorString(char* text) {
  std::snprintf(text, kVstMaxVendorStrLen, "%s", ZR_Product::vendor);
  return true;
}

bool ZR_Main_Vst::getProductString(char* text) {
  std::snprintf(text, kVstMaxProductStrLen, "%s", ZR_Product::productString);
  return true;
}
