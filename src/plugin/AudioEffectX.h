#pragma once
#include "plugin/AudioEffect.h"

/// The extended VST 2.4 effect: the opcodes after 24 and the host-callback wrappers. Every wrapper
/// answers its no-host value when the host callback is null. [host threads unless marked]
class AudioEffectX : public AudioEffect {
 public:
  AudioEffectX(audioMasterCallback audioMaster, VstInt32 numPrograms, VstInt32 numParams)
      : AudioEffect(audioMaster, numPrograms, numParams) {}

  VstIntPtr dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) override;
  /// Asks the host for events when the effect is a synthesizer or takes MIDI.
  void resume() override;

  virtual bool canParameterBeAutomated(VstInt32 index);
  virtual bool string2parameter(VstInt32 index, char* text);
  virtual bool getParameterProperties(VstInt32 index, VstParameterProperties* properties);
  virtual bool beginEdit(VstInt32 index);
  virtual bool endEdit(VstInt32 index);
  virtual bool getProgramNameIndexed(VstInt32 category, VstInt32 index, char* text);
  virtual bool beginSetProgram() { return false; }
  virtual bool endSetProgram() { return false; }
  virtual VstInt32 beginLoadBank(VstPatchChunkInfo* info);
  virtual VstInt32 beginLoadProgram(VstPatchChunkInfo* info);
  virtual bool ioChanged();
  virtual float updateSampleRate();
  virtual VstInt32 updateBlockSize();
  virtual VstInt32 getInputLatency();
  virtual VstInt32 getOutputLatency();
  virtual bool getInputProperties(VstInt32 index, VstPinProperties* properties);
  virtual bool getOutputProperties(VstInt32 index, VstPinProperties* properties);
  virtual bool setSpeakerArrangement(VstSpeakerArrangement* input, VstSpeakerArrangement* output);
  virtual bool getSpeakerArrangement(VstSpeakerArrangement** input, VstSpeakerArrangement** output);
  virtual bool setBypass(bool onOff);
  virtual bool setPanLaw(VstInt32 type, float value);
  virtual bool setProcessPrecision(VstInt32 precision);
  virtual VstInt32 getNumMidiInputChannels() { return 0; }
  virtual VstInt32 getNumMidiOutputChannels() { return 0; }
  virtual VstTimeInfo* getTimeInfo(VstInt32 filter);
  virtual VstInt32 getCurrentProcessLevel();
  virtual VstInt32 getAutomationState();
  virtual VstInt32 processEvents(VstEvents* events);
  virtual VstInt32 startProcess() { return 0; }
  virtual VstInt32 stopProcess() { return 0; }
  virtual bool processVarIo(VstVariableIo* varIo);
  virtual VstInt32 setTotalSampleToProcess(VstInt32 value) { return value; }
  virtual bool getHostVendorString(char* text);
  virtual bool getHostProductString(char* text);
  virtual VstInt32 getHostVendorVersion();
  virtual VstIntPtr hostVendorSpecific(VstInt32 index, VstIntPtr value, void* ptr, float opt);
  virtual bool canHostDo(char* text);
  virtual VstInt32 getHostLanguage();
  virtual void isSynth(bool state) { setFlag(effFlagsIsSynth, state); }
  virtual void noTail(bool state) { setFlag(effFlagsNoSoundInStop, state); }
  virtual VstInt32 getTailSize() { return 0; }
  virtual void* getDirectory();
  virtual bool getEffectName(char* name);
  virtual bool getVendorString(char* text);
  virtual bool getProductString(char* text);
  virtual VstInt32 getVendorVersion() { return 0; }
  virtual VstIntPtr vendorSpecific(VstInt32 index, VstIntPtr value, void* ptr, float opt);
  virtual VstInt32 canDo(char* text);
  virtual VstInt32 getVstVersion() { return 2400; }
  virtual VstInt32 getPlugCategory();
  virtual VstInt32 getMidiProgramName(VstInt32 channel, MidiProgramName* name);
  virtual VstInt32 getCurrentMidiProgram(VstInt32 channel, MidiProgramName* current);
  virtual VstInt32 getMidiProgramCategory(VstInt32 channel, MidiProgramCategory* category);
  virtual bool hasMidiProgramsChanged(VstInt32 channel);
  virtual bool getMidiKeyName(VstInt32 channel, MidiKeyName* keyName);
  virtual bool updateDisplay();
  virtual bool sizeWindow(VstInt32 width, VstInt32 height);
  virtual bool openFileSelector(VstFileSelect* select);
  virtual bool closeFileSelector(VstFileSelect* select);
  virtual VstInt32 shellGetNextPlugin(char* name);
  /// Replaces *arrangement by a cleared one of that many channels; false when it cannot.
  virtual bool allocateArrangement(VstSpeakerArrangement** arrangement, VstInt32 channels);
  virtual bool deleteArrangement(VstSpeakerArrangement** arrangement);
  virtual bool copySpeaker(VstSpeakerProperties* to, VstSpeakerProperties* from);
  /// Makes *to a copy of from; false when from is null or an allocation fails.
  virtual bool matchArrangement(VstSpeakerArrangement** to, VstSpeakerArrangement* from);
  virtual bool offlineRead(VstOfflineTask* offline, VstInt32 option, bool readSource);
  virtual bool offlineWrite(VstOfflineTask* offline, VstInt32 option);
  virtual bool offlineStart(VstAudioFile* audioFiles, VstInt32 numAudioFiles, VstInt32 numNewAudioFiles);
  virtual bool offlineGetCurrentPass();
  virtual bool offlineGetCurrentMetaPass();
  virtual bool offlineNotify(VstAudioFile* ptr, VstInt32 numAudioFiles, bool start);
  virtual bool offlinePrepare(VstOfflineTask* offline, VstInt32 count);
  virtual bool offlineRun(VstOfflineTask* offline, VstInt32 count);

  // Older operations no opcode reaches; kept so the table of operations stays the published one.
  virtual VstInt32 reportCurrentPosition() { return 0; }
  virtual float* reportDestinationBuffer() { return nullptr; }
  virtual void wantEvents(VstInt32 filter = 1);
  virtual VstInt32 tempoAt(VstInt32 pos);
  virtual VstInt32 getNumAutomatableParameters();
  virtual VstInt32 getParameterQuantization();
  virtual VstInt32 getNumCategories() { return 1; }
  virtual bool copyProgram(VstInt32 destination);
  virtual bool needIdle();
  virtual AEffect* getPreviousPlug();
  virtual AEffect* getNextPlug();
  virtual void inputConnected(VstInt32 index, bool state);
  virtual void outputConnected(VstInt32 index, bool state);
  virtual VstInt32 willProcessReplacing();
  virtual void wantAsyncOperation(bool state = true) { setFlag(effFlagsExtIsAsync, state); }
  virtual void hasExternalBuffer(bool state = true) { setFlag(effFlagsExtHasBuffer, state); }
  virtual VstInt32 getCurrentPosition() { return 0; }
  virtual float* getDestinationBuffer() { return nullptr; }
  virtual void setOutputSamplerate(float rate);
  virtual VstSpeakerArrangement* getInputSpeakerArrangement();
  virtual VstSpeakerArrangement* getOutputSpeakerArrangement();
  virtual void* openWindow(VstWindow* window);
  virtual bool closeWindow(VstWindow* window);
  virtual void setBlockSizeAndSampleRate(VstInt32 size, float rate);
  virtual bool getErrorText(char* text);
  virtual void* getIcon() { return nullptr; }
  virtual bool setViewPosition(VstInt32 x, VstInt32 y);
  /// Writes "*** fxIdle ***" to standard output.
  virtual VstInt32 fxIdle();
  virtual bool keysRequired() { return false; }
  virtual bool getChunkFile(void* nativePath);

 protected:
  /// A host query read as a yes/no: false without a host.
  bool askHost(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr,
               float opt = 0.0f);
};
