#pragma once
#include "plugin/AEffect.h"

class AEffEditor;

/// A VST 2.4 effect and the record a host holds. The host reaches every operation through the
/// record's entries; the constructor fills the record, the dispatcher turns opcodes into calls.
class AudioEffect {
 public:
  /// [host thread that creates the plug-in] Allocates nothing beyond the object.
  AudioEffect(audioMasterCallback audioMaster, VstInt32 numPrograms, VstInt32 numParams);
  /// Destroys the attached editor.
  virtual ~AudioEffect();
  AudioEffect(const AudioEffect&) = delete;
  AudioEffect& operator=(const AudioEffect&) = delete;

  /// Writes a trace line and serves one opcode. [host threads] Formats text: not the audio path.
  virtual VstIntPtr dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt);
  virtual void open() {}
  virtual void close() {}
  virtual void suspend() {}
  virtual void resume() {}
  virtual void setSampleRate(float rate) { sampleRate = rate; }
  virtual void setBlockSize(VstInt32 size) { blockSize = size; }
  /// [audio thread] One block of float audio; no allocation, no locks.
  virtual void processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) = 0;
  /// [audio thread] One block of double audio; the base does nothing.
  virtual void processDoubleReplacing(double** inputs, double** outputs, VstInt32 sampleFrames);
  /// [any host thread] Sets a parameter from a normalised value.
  virtual void setParameter(VstInt32 index, float value);
  /// [any host thread, the audio thread too] The normalised value; no allocation, no locks.
  virtual float getParameter(VstInt32 index);
  /// Sets a parameter and tells the host it changed.
  virtual void setParameterAutomated(VstInt32 index, float value);
  virtual VstInt32 getProgram() { return curProgram; }
  virtual void setProgram(VstInt32 program) { curProgram = program; }
  virtual void setProgramName(char* name);
  virtual void getProgramName(char* name);
  virtual void getParamLabel(VstInt32 index, char* label);
  virtual void getParamDisplay(VstInt32 index, char* text);
  virtual void getParamName(VstInt32 index, char* text);
  virtual VstInt32 getChunk(void** data, bool isPreset);
  virtual VstInt32 setChunk(void* data, VstInt32 byteSize, bool isPreset);
  virtual void setUniqueID(VstInt32 id) { cEffect.uniqueID = id; }
  virtual void setNumInputs(VstInt32 inputs) { cEffect.numInputs = inputs; }
  virtual void setNumOutputs(VstInt32 outputs) { cEffect.numOutputs = outputs; }
  virtual void canProcessReplacing(bool state) { setFlag(effFlagsCanReplacing, state); }
  virtual void canDoubleReplacing(bool state) { setFlag(effFlagsCanDoubleReplacing, state); }
  virtual void programsAreChunks(bool state) { setFlag(effFlagsProgramChunks, state); }
  virtual void setInitialDelay(VstInt32 delay) { cEffect.initialDelay = delay; }
  virtual AEffEditor* getEditor() { return editor; }
  virtual AEffect* getAeffect() { return &cEffect; }
  virtual float getSampleRate() { return sampleRate; }
  virtual VstInt32 getBlockSize() { return blockSize; }
  virtual VstInt32 getMasterVersion();
  virtual VstInt32 getCurrentUniqueId();
  virtual void masterIdle();
  virtual void dB2string(float value, char* text, VstInt32 maxLen);
  virtual void Hz2string(float samples, char* text, VstInt32 maxLen);
  virtual void ms2string(float samples, char* text, VstInt32 maxLen);
  virtual void float2string(float value, char* text, VstInt32 maxLen);
  virtual void int2string(VstInt32 value, char* text, VstInt32 maxLen);
  /// [audio thread] Accumulating process; the base does nothing.
  virtual void process(float** inputs, float** outputs, VstInt32 sampleFrames);
  virtual float getVu() { return 0.0f; }
  virtual void hasVu(bool state) { setFlag(effFlagsHasVu, state); }
  virtual void hasClip(bool state) { setFlag(effFlagsHasClip, state); }
  virtual void canMono(bool state) { setFlag(effFlagsCanMono, state); }
  virtual void setRealtimeQualities(VstInt32 qualities) { cEffect.realQualities = qualities; }
  virtual void setOfflineQualities(VstInt32 qualities) { cEffect.offQualities = qualities; }
  virtual bool isInputConnected(VstInt32 input);
  virtual bool isOutputConnected(VstInt32 output);

  /// Attaches the editor (owned from now on) and announces it in the flags; keeps an earlier one.
  void setEditor(AEffEditor* newEditor);

 protected:
  /// Calls the host with the record; 0 when there is no host.
  VstIntPtr callHost(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr,
                     float opt = 0.0f);
  void setFlag(VstInt32 flag, bool state);

  audioMasterCallback audioMaster;
  AEffEditor* editor = nullptr;
  float sampleRate = 44100.0f;
  VstInt32 blockSize = 1024;
  VstInt32 numPrograms;
  VstInt32 numParams;
  VstInt32 curProgram = 0;
  AEffect cEffect;
};
