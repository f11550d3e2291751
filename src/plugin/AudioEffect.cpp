#include "plugin/AudioEffect.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <iterator>

#include "plugin/AEffEditor.h"
#include "plugin/VstDispatchTrace.h"

namespace {

AudioEffect* instanceOf(AEffect* effect) {
  return effect ? static_cast<AudioEffect*>(effect->object) : nullptr;
}

// The six entries of the record. Each reaches the instance through the record's object field.
VstIntPtr dispatchEffectClass(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                              float opt) {
  AudioEffect* instance = instanceOf(effect);
  if (!instance) return 0;
  if (opcode == effClose) {
    instance->dispatcher(opcode, index, value, ptr, opt);
    delete instance;  // the record lived inside it: the host must not use it again
    return 1;
  }
  return instance->dispatcher(opcode, index, value, ptr, opt);
}

void processClass(AEffect* effect, float** inputs, float** outputs, VstInt32 sampleFrames) {
  if (AudioEffect* instance = instanceOf(effect)) instance->process(inputs, outputs, sampleFrames);
}

void processClassReplacing(AEffect* effect, float** inputs, float** outputs, VstInt32 sampleFrames) {
  if (AudioEffect* instance = instanceOf(effect)) instance->processReplacing(inputs, outputs, sampleFrames);
}

void processClassDoubleReplacing(AEffect* effect, double** inputs, double** outputs, VstInt32 sampleFrames) {
  if (AudioEffect* instance = instanceOf(effect))
    instance->processDoubleReplacing(inputs, outputs, sampleFrames);
}

void setParameterClass(AEffect* effect, VstInt32 index, float value) {
  if (AudioEffect* instance = instanceOf(effect)) instance->setParameter(index, value);
}

float getParameterClass(AEffect* effect, VstInt32 index) {
  AudioEffect* instance = instanceOf(effect);
  return instance ? instance->getParameter(index) : 0.0f;
}

const VstOpcodeName kOpcodeNames[] = {
    {effOpen, "effOpen"},
    {effClose, "effClose"},
    {effSetProgram, "effSetProgram"},
    {effGetProgram, "effGetProgram"},
    {effSetProgramName, "effSetProgramName"},
    {effGetProgramName, "effGetProgramName"},
    {effGetParamLabel, "effGetParamLabel"},
    {effGetParamDisplay, "effGetParamDisplay"},
    {effGetParamName, "effGetParamName"},
    {effSetSampleRate, "effSetSampleRate"},
    {effSetBlockSize, "effSetBlockSize"},
    {effMainsChanged, "effMainsChanged"},
    {effEditGetRect, "effEditGetRect"},
    {effEditOpen, "effEditOpen"},
    {effEditClose, "effEditClose"},
    {effEditIdle, "effEditIdle"},
    {effIdentify, "effIdentify"},
    {effGetChunk, "effGetChunk"},
    {effSetChunk, "effSetChunk"},
};

// Leaves src in text, cut to maxLen characters and terminated; text holds maxLen + 1 bytes.
void writeCut(const char* src, char* text, VstInt32 maxLen) {
  if (!text || maxLen < 0) return;
  size_t n = std::strlen(src);
  if (n > static_cast<size_t>(maxLen)) n = static_cast<size_t>(maxLen);
  std::memcpy(text, src, n);
  text[n] = '\0';
}

}  // namespace

AudioEffect::AudioEffect(audioMasterCallback master, VstInt32 programs, VstInt32 params)
    : audioMaster(master), numPrograms(programs), numParams(params) {
  std::memset(&cEffect, 0, sizeof cEffect);
  cEffect.magic = kEffectMagic;
  cEffect.dispatcher = dispatchEffectClass;
  cEffect.process = processClass;
  cEffect.setParameter = setParameterClass;
  cEffect.getParameter = getParameterClass;
  cEffect.numPrograms = programs;
  cEffect.numParams = params;
  cEffect.numInputs = 1;
  cEffect.numOutputs = 2;
  cEffect.ioRatio = 1.0f;
  cEffect.object = this;
  cEffect.uniqueID = vstFourCC('N', 'o', 'E', 'f');
  cEffect.version = 1;
  cEffect.processReplacing = processClassReplacing;
  AudioEffect::canProcessReplacing(true);
  cEffect.processDoubleReplacing = processClassDoubleReplacing;
}

AudioEffect::~AudioEffect() { delete editor; }

void AudioEffect::setEditor(AEffEditor* newEditor) {
  editor = newEditor;
  setFlag(effFlagsHasEditor, newEditor != nullptr);
}

void AudioEffect::setFlag(VstInt32 flag, bool state) {
  if (state)
    cEffect.flags |= flag;
  else
    cEffect.flags &= ~flag;
}

VstIntPtr AudioEffect::callHost(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) {
  return audioMaster ? audioMaster(&cEffect, opcode, index, value, ptr, opt) : 0;
}

VstIntPtr AudioEffect::dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) {
  vstTraceDispatch("AudioEffect", kOpcodeNames, std::size(kOpcodeNames), opcode, index, value, ptr, opt);
  char* text = static_cast<char*>(ptr);
  switch (opcode) {
    case effOpen:
      open();
      return 0;
    case effClose:
      close();
      return 0;
    case effSetProgram:
      if (value < numPrograms) setProgram(static_cast<VstInt32>(value));
      return 0;
    case effGetProgram:
      std::printf("DISPATCH effGetProgram\n");
      return getProgram();
    // The text opcodes write into the host's buffer: a host that passes none gets nothing.
    case effSetProgramName:
      if (text) setProgramName(text);
      return 0;
    case effGetProgramName:
      if (text) getProgramName(text);
      return 0;
    case effGetParamLabel:
      if (text) getParamLabel(index, text);
      return 0;
    case effGetParamDisplay:
      if (text) getParamDisplay(index, text);
      return 0;
    case effGetParamName:
      if (text) getParamName(index, text);
      return 0;
    case effSetSampleRate:
      setSampleRate(opt);
      return 0;
    case effSetBlockSize:
      setBlockSize(static_cast<VstInt32>(value));
      return 0;
    case effMainsChanged:
      if (value == 0)
        suspend();
      else
        resume();
      return 0;
    case effEditGetRect:
      return editor && editor->getRect(static_cast<ERect**>(ptr)) ? 1 : 0;
    case effEditOpen:
      return editor && editor->open(ptr) ? 1 : 0;
    case effEditClose:
      if (editor) editor->close();
      return 0;
    case effEditIdle:
      if (editor) editor->idle();
      return 0;
    case effIdentify:
      return vstFourCC('N', 'v', 'E', 'f');
    case effGetChunk:
      return ptr ? getChunk(static_cast<void**>(ptr), index != 0) : 0;
    case effSetChunk:
      return setChunk(ptr, static_cast<VstInt32>(value), index != 0);
    default:
      return 0;
  }
}

void AudioEffect::processDoubleReplacing(double**, double**, VstInt32) {}
void AudioEffect::setParameter(VstInt32, float) {}
float AudioEffect::getParameter(VstInt32) { return 0.0f; }

void AudioEffect::setParameterAutomated(VstInt32 index, float value) {
  setParameter(index, value);
  callHost(audioMasterAutomate, index, 0, nullptr, value);
}

void AudioEffect::setProgramName(char*) {}
void AudioEffect::getProgramName(char* name) { *name = '\0'; }
void AudioEffect::getParamLabel(VstInt32, char* label) { *label = '\0'; }
void AudioEffect::getParamDisplay(VstInt32, char* text) { *text = '\0'; }
void AudioEffect::getParamName(VstInt32, char* text) { *text = '\0'; }
VstInt32 AudioEffect::getChunk(void**, bool) { return 0; }
VstInt32 AudioEffect::setChunk(void*, VstInt32, bool) { return 0; }

VstInt32 AudioEffect::getMasterVersion() {
  VstIntPtr version = callHost(audioMasterVersion);
  return version ? static_cast<VstInt32>(version) : 1;
}

VstInt32 AudioEffect::getCurrentUniqueId() { return static_cast<VstInt32>(callHost(audioMasterCurrentId)); }

void AudioEffect::masterIdle() { callHost(audioMasterIdle); }

void AudioEffect::dB2string(float value, char* text, VstInt32 maxLen) {
  if (!(value > 0.0f)) {
    writeCut("-oo", text, maxLen);
    return;
  }
  float2string(static_cast<float>(20.0 * std::log10(value)), text, maxLen);
}

void AudioEffect::Hz2string(float samples, char* text, VstInt32 maxLen) {
  float2string(samples == 0.0f ? 0.0f : getSampleRate() / samples, text, maxLen);
}

void AudioEffect::ms2string(float samples, char* text, VstInt32 maxLen) {
  float2string(samples * 1000.0f / getSampleRate(), text, maxLen);
}

// Eight characters: sign, the whole integer part, the point while it fits, then as many fraction
// digits as fill the eight, written right to left from the scaled fraction (no rounding).
// Out-of-range values and NaN read "Huge!".
void AudioEffect::float2string(float value, char* text, VstInt32 maxLen) {
  constexpr int kWidth = 8;
  const double exact = value;  // as a float, 99999999 would round up to the limit and pass
  if (!(exact >= -9999999.0 && exact <= 99999999.0)) {
    writeCut("Huge!", text, maxLen);
    return;
  }
  char out[kWidth + 8];
  int pos = 0;
  double magnitude = exact;
  if (exact < 0.0) {
    out[pos++] = '-';
    magnitude = -magnitude;
  }
  pos += std::snprintf(out + pos, sizeof out - pos, "%u", static_cast<unsigned>(std::floor(magnitude)));
  if (pos < kWidth) out[pos++] = '.';
  const int fractionDigits = pos < kWidth ? kWidth - pos : 0;
  double running = std::fmod(magnitude, 1.0) * std::pow(10.0, fractionDigits);
  for (int i = pos + fractionDigits - 1; i >= pos; --i) {
    if (running > 0.0) {
      out[i] = static_cast<char>('0' + static_cast<int>(std::fmod(running, 10.0)));
      running *= 0.1;
    } else {
      out[i] = '0';
    }
  }
  out[pos + fractionDigits] = '\0';
  writeCut(out, text, maxLen);
}

// Magnitudes of 100000000 or more read "Huge!" for either sign; 0 reads "0".
void AudioEffect::int2string(VstInt32 value, char* text, VstInt32 maxLen) {
  if (value >= 100000000 || value <= -100000000) {
    writeCut("Huge!", text, maxLen);
    return;
  }
  char out[16];
  std::snprintf(out, sizeof out, "%d", static_cast<int>(value));
  writeCut(out, text, maxLen);
}

void AudioEffect::process(float**, float**, VstInt32) {}

bool AudioEffect::isInputConnected(VstInt32 input) {
  return callHost(audioMasterPinConnected, input, 0) == 0;
}

bool AudioEffect::isOutputConnected(VstInt32 output) {
  return callHost(audioMasterPinConnected, output, 1) == 0;
}
