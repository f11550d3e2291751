#include "plugin/AudioEffectX.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>

#include "plugin/AEffEditor.h"
#include "plugin/VstDispatchTrace.h"

namespace {

const VstOpcodeName kOpcodeNames[] = {
    {effProcessEvents, "effProcessEvents"},
    {effCanBeAutomated, "effCanBeAutomated"},
    {effString2Parameter, "effString2Parameter"},
    {effGetProgramNameIndexed, "effGetProgramNameIndexed"},
    {effGetInputProperties, "effGetInputProperties"},
    {effGetOutputProperties, "effGetOutputProperties"},
    {effGetPlugCategory, "effGetPlugCategory"},
    {effOfflineNotify, "effOfflineNotify"},
    {effOfflinePrepare, "effOfflinePrepare"},
    {effOfflineRun, "effOfflineRun"},
    {effProcessVarIo, "effProcessVarIo"},
    {effSetSpeakerArrangement, "effSetSpeakerArrangement"},
    {effSetBypass, "effSetBypass"},
    {effGetEffectName, "effGetEffectName"},
    {effGetVendorString, "effGetVendorString"},
    {effGetProductString, "effGetProductString"},
    {effGetVendorVersion, "effGetVendorVersion"},
    {effVendorSpecific, "effVendorSpecific"},
    {effCanDo, "effCanDo"},
    {effGetTailSize, "effGetTailSize"},
    {effGetParameterProperties, "effGetParameterProperties"},
    {effGetVstVersion, "effGetVstVersion"},
    {effEditKeyDown, "effEditKeyDown"},
    {effEditKeyUp, "effEditKeyUp"},
    {effSetEditKnobMode, "effSetEditKnobMode"},
    {effGetMidiProgramName, "effGetMidiProgramName"},
    {effGetCurrentMidiProgram, "effGetCurrentMidiProgram"},
    {effGetMidiProgramCategory, "effGetMidiProgramCategory"},
    {effHasMidiProgramsChanged, "effHasMidiProgramsChanged"},
    {effGetMidiKeyName, "effGetMidiKeyName"},
    {effBeginSetProgram, "effBeginSetProgram"},
    {effEndSetProgram, "effEndSetProgram"},
    {effGetSpeakerArrangement, "effGetSpeakerArrangement"},
    {effShellGetNextPlugin, "effShellGetNextPlugin"},
    {effStartProcess, "effStartProcess"},
    {effStopProcess, "effStopProcess"},
    {effSetTotalSampleToProcess, "effSetTotalSampleToProcess"},
    {effSetPanLaw, "effSetPanLaw"},
    {effBeginLoadBank, "effBeginLoadBank"},
    {effBeginLoadProgram, "effBeginLoadProgram"},
    {effSetProcessPrecision, "effSetProcessPrecision"},
    {effGetNumMidiInputChannels, "effGetNumMidiInputChannels"},
    {effGetNumMidiOutputChannels, "effGetNumMidiOutputChannels"},
};

// The key record of the editor's key opcodes: character, virtual key, modifier.
VstKeyCode keyCode(VstInt32 index, VstIntPtr value, float opt) {
  VstKeyCode key{};
  key.character = index;
  key.virt = static_cast<unsigned char>(value);
  key.modifier = static_cast<unsigned char>(static_cast<int>(opt));
  return key;
}

constexpr size_t kSpeakerArrangementHeader = 2 * sizeof(VstInt32);

}  // namespace

VstIntPtr AudioEffectX::dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) {
  vstTraceDispatch("AudioEffectX", kOpcodeNames, std::size(kOpcodeNames), opcode, index, value, ptr, opt);
  char* text = static_cast<char*>(ptr);
  switch (opcode) {
    case effProcessEvents:
      return processEvents(static_cast<VstEvents*>(ptr));
    case effCanBeAutomated:
      return canParameterBeAutomated(index);
    case effString2Parameter:
      return string2parameter(index, text);
    // Text opcodes write into the host's buffer: a host that passes none gets nothing.
    case effGetProgramNameIndexed:
      return text && getProgramNameIndexed(static_cast<VstInt32>(value), index, text);
    case effGetInputProperties:
      return getInputProperties(index, static_cast<VstPinProperties*>(ptr));
    case effGetOutputProperties:
      return getOutputProperties(index, static_cast<VstPinProperties*>(ptr));
    case effGetPlugCategory:
      return getPlugCategory();
    case effOfflineNotify:
      return offlineNotify(static_cast<VstAudioFile*>(ptr), static_cast<VstInt32>(value), index != 0);
    case effOfflinePrepare:
      return offlinePrepare(static_cast<VstOfflineTask*>(ptr), static_cast<VstInt32>(value));
    case effOfflineRun:
      return offlineRun(static_cast<VstOfflineTask*>(ptr), static_cast<VstInt32>(value));
    case effProcessVarIo:
      return processVarIo(static_cast<VstVariableIo*>(ptr));
    case effSetSpeakerArrangement:
      return setSpeakerArrangement(reinterpret_cast<VstSpeakerArrangement*>(value),
                                   static_cast<VstSpeakerArrangement*>(ptr));
    case effSetBypass:
      return setBypass(value != 0);
    case effGetEffectName:
      return text && getEffectName(text);
    case effGetVendorString:
      return text && getVendorString(text);
    case effGetProductString:
      return text && getProductString(text);
    case effGetVendorVersion:
      return getVendorVersion();
    case effVendorSpecific:
      return vendorSpecific(index, value, ptr, opt);
    case effCanDo:
      return canDo(text);
    case effGetTailSize:
      return getTailSize();
    case effGetParameterProperties:
      return getParameterProperties(index, static_cast<VstParameterProperties*>(ptr));
    case effGetVstVersion:
      return getVstVersion();
    case effEditKeyDown:
      if (!editor) return 0;
      {
        VstKeyCode key = keyCode(index, value, opt);
        return editor->onKeyDown(key);
      }
    case effEditKeyUp:
      if (!editor) return 0;
      {
        VstKeyCode key = keyCode(index, value, opt);
        return editor->onKeyUp(key);
      }
    case effSetEditKnobMode:
      return editor && editor->setKnobMode(static_cast<VstInt32>(value));
    case effGetMidiProgramName:
      return getMidiProgramName(index, static_cast<MidiProgramName*>(ptr));
    case effGetCurrentMidiProgram:
      return getCurrentMidiProgram(index, static_cast<MidiProgramName*>(ptr));
    case effGetMidiProgramCategory:
      return getMidiProgramCategory(index, static_cast<MidiProgramCategory*>(ptr));
    case effHasMidiProgramsChanged:
      return hasMidiProgramsChanged(index);
    case effGetMidiKeyName:
      return getMidiKeyName(index, static_cast<MidiKeyName*>(ptr));
    case effBeginSetProgram:
      return beginSetProgram();
    case effEndSetProgram:
      return endSetProgram();
    case effGetSpeakerArrangement:
      return getSpeakerArrangement(reinterpret_cast<VstSpeakerArrangement**>(value),
                                   static_cast<VstSpeakerArrangement**>(ptr));
    case effShellGetNextPlugin:
      return shellGetNextPlugin(text);
    case effStartProcess:
      return startProcess();
    case effStopProcess:
      return stopProcess();
    case effSetTotalSampleToProcess:
      return setTotalSampleToProcess(static_cast<VstInt32>(value));
    case effSetPanLaw:
      return setPanLaw(static_cast<VstInt32>(value), opt);
    case effBeginLoadBank:
      return beginLoadBank(static_cast<VstPatchChunkInfo*>(ptr));
    case effBeginLoadProgram:
      return beginLoadProgram(static_cast<VstPatchChunkInfo*>(ptr));
    case effSetProcessPrecision:
      return setProcessPrecision(static_cast<VstInt32>(value));
    case effGetNumMidiInputChannels:
      return getNumMidiInputChannels();
    case effGetNumMidiOutputChannels:
      return getNumMidiOutputChannels();
    default:
      return AudioEffect::dispatcher(opcode, index, value, ptr, opt);
  }
}

void AudioEffectX::resume() {
  if ((cEffect.flags & effFlagsIsSynth) || canDo(const_cast<char*>("receiveVstMidiEvent")) == 1)
    wantEvents(1);
}

bool AudioEffectX::askHost(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) {
  return callHost(opcode, index, value, ptr, opt) != 0;
}

bool AudioEffectX::canParameterBeAutomated(VstInt32) { return true; }
bool AudioEffectX::string2parameter(VstInt32, char*) { return false; }
bool AudioEffectX::getParameterProperties(VstInt32, VstParameterProperties*) { return false; }
bool AudioEffectX::beginEdit(VstInt32 index) { return askHost(audioMasterBeginEdit, index); }
bool AudioEffectX::endEdit(VstInt32 index) { return askHost(audioMasterEndEdit, index); }
bool AudioEffectX::getProgramNameIndexed(VstInt32, VstInt32, char*) { return false; }
VstInt32 AudioEffectX::beginLoadBank(VstPatchChunkInfo*) { return 0; }
VstInt32 AudioEffectX::beginLoadProgram(VstPatchChunkInfo*) { return 0; }
bool AudioEffectX::ioChanged() { return askHost(audioMasterIOChanged); }

float AudioEffectX::updateSampleRate() {
  VstIntPtr rate = callHost(audioMasterGetSampleRate);
  if (rate > 0) sampleRate = static_cast<float>(rate);
  return sampleRate;
}

VstInt32 AudioEffectX::updateBlockSize() {
  VstIntPtr size = callHost(audioMasterGetBlockSize);
  if (size > 0) blockSize = static_cast<VstInt32>(size);
  return blockSize;
}

VstInt32 AudioEffectX::getInputLatency() {
  return static_cast<VstInt32>(callHost(audioMasterGetInputLatency));
}
VstInt32 AudioEffectX::getOutputLatency() {
  return static_cast<VstInt32>(callHost(audioMasterGetOutputLatency));
}
bool AudioEffectX::getInputProperties(VstInt32, VstPinProperties*) { return false; }
bool AudioEffectX::getOutputProperties(VstInt32, VstPinProperties*) { return false; }
bool AudioEffectX::setSpeakerArrangement(VstSpeakerArrangement*, VstSpeakerArrangement*) { return false; }

// Only the pointers the host passed are cleared: a host may ask with either one missing.
bool AudioEffectX::getSpeakerArrangement(VstSpeakerArrangement** input, VstSpeakerArrangement** output) {
  if (input) *input = nullptr;
  if (output) *output = nullptr;
  return false;
}

bool AudioEffectX::setBypass(bool) { return false; }
bool AudioEffectX::setPanLaw(VstInt32, float) { return false; }
bool AudioEffectX::setProcessPrecision(VstInt32) { return false; }

VstTimeInfo* AudioEffectX::getTimeInfo(VstInt32 filter) {
  return reinterpret_cast<VstTimeInfo*>(callHost(audioMasterGetTime, 0, filter));
}

VstInt32 AudioEffectX::getCurrentProcessLevel() {
  return static_cast<VstInt32>(callHost(audioMasterGetCurrentProcessLevel));
}
VstInt32 AudioEffectX::getAutomationState() {
  return static_cast<VstInt32>(callHost(audioMasterGetAutomationState));
}
VstInt32 AudioEffectX::processEvents(VstEvents*) { return 0; }
bool AudioEffectX::processVarIo(VstVariableIo*) { return false; }
bool AudioEffectX::getHostVendorString(char* text) { return askHost(audioMasterGetVendorString, 0, 0, text); }
bool AudioEffectX::getHostProductString(char* text) {
  return askHost(audioMasterGetProductString, 0, 0, text);
}
VstInt32 AudioEffectX::getHostVendorVersion() {
  return static_cast<VstInt32>(callHost(audioMasterGetVendorVersion));
}
VstIntPtr AudioEffectX::hostVendorSpecific(VstInt32 index, VstIntPtr value, void* ptr, float opt) {
  return callHost(audioMasterVendorSpecific, index, value, ptr, opt);
}
bool AudioEffectX::canHostDo(char* text) { return askHost(audioMasterCanDo, 0, 0, text); }
VstInt32 AudioEffectX::getHostLanguage() { return static_cast<VstInt32>(callHost(audioMasterGetLanguage)); }
void* AudioEffectX::getDirectory() { return reinterpret_cast<void*>(callHost(audioMasterGetDirectory)); }
bool AudioEffectX::getEffectName(char*) { return false; }
bool AudioEffectX::getVendorString(char*) { return false; }
bool AudioEffectX::getProductString(char*) { return false; }
VstIntPtr AudioEffectX::vendorSpecific(VstInt32, VstIntPtr, void*, float) { return 0; }
VstInt32 AudioEffectX::canDo(char*) { return 0; }
VstInt32 AudioEffectX::getPlugCategory() { return (cEffect.flags & effFlagsIsSynth) ? kPlugCategSynth : 0; }
VstInt32 AudioEffectX::getMidiProgramName(VstInt32, MidiProgramName*) { return 0; }
VstInt32 AudioEffectX::getCurrentMidiProgram(VstInt32, MidiProgramName*) { return -1; }
VstInt32 AudioEffectX::getMidiProgramCategory(VstInt32, MidiProgramCategory*) { return 0; }
bool AudioEffectX::hasMidiProgramsChanged(VstInt32) { return false; }
bool AudioEffectX::getMidiKeyName(VstInt32, MidiKeyName*) { return false; }
bool AudioEffectX::updateDisplay() { return askHost(audioMasterUpdateDisplay); }
bool AudioEffectX::sizeWindow(VstInt32 width, VstInt32 height) {
  return askHost(audioMasterSizeWindow, width, height);
}
bool AudioEffectX::openFileSelector(VstFileSelect* select) {
  return select && askHost(audioMasterOpenFileSelector, 0, 0, select);
}
bool AudioEffectX::closeFileSelector(VstFileSelect* select) {
  return select && askHost(audioMasterCloseFileSelector, 0, 0, select);
}
VstInt32 AudioEffectX::shellGetNextPlugin(char*) { return 0; }

bool AudioEffectX::allocateArrangement(VstSpeakerArrangement** arrangement, VstInt32 channels) {
  if (!arrangement) return false;
  std::free(*arrangement);
  *arrangement = nullptr;  // never leave the caller a freed block
  if (channels < 0) return false;
  const size_t size =
      static_cast<size_t>(channels) * sizeof(VstSpeakerProperties) + kSpeakerArrangementHeader;
  void* block = std::calloc(1, size);
  if (!block) return false;
  *arrangement = static_cast<VstSpeakerArrangement*>(block);
  (*arrangement)->numChannels = channels;
  return true;
}

bool AudioEffectX::deleteArrangement(VstSpeakerArrangement** arrangement) {
  if (!arrangement) return false;
  std::free(*arrangement);
  *arrangement = nullptr;
  return true;
}

bool AudioEffectX::copySpeaker(VstSpeakerProperties* to, VstSpeakerProperties* from) {
  if (!to || !from) return false;
  const size_t nameLength = strnlen(from->name, sizeof to->name - 1);
  std::memcpy(to->name, from->name, nameLength);
  to->name[nameLength] = '\0';
  to->type = from->type;
  to->azimuth = from->azimuth;
  to->elevation = from->elevation;
  to->radius = from->radius;
  to->reserved = from->reserved;
  std::memcpy(to->future, from->future, sizeof to->future);
  return true;
}

bool AudioEffectX::matchArrangement(VstSpeakerArrangement** to, VstSpeakerArrangement* from) {
  if (!from) return false;
  if (!allocateArrangement(to, from->numChannels)) return false;
  (*to)->type = from->type;
  for (VstInt32 i = 0; i < from->numChannels; ++i)
    if (!copySpeaker(&(*to)->speakers[i], &from->speakers[i])) return false;
  return true;
}

bool AudioEffectX::offlineRead(VstOfflineTask* offline, VstInt32 option, bool readSource) {
  return askHost(audioMasterOfflineRead, readSource ? 1 : 0, option, offline);
}
bool AudioEffectX::offlineWrite(VstOfflineTask* offline, VstInt32 option) {
  return askHost(audioMasterOfflineWrite, 0, option, offline);
}
bool AudioEffectX::offlineStart(VstAudioFile* audioFiles, VstInt32 numAudioFiles, VstInt32 numNewAudioFiles) {
  return askHost(audioMasterOfflineStart, numNewAudioFiles, numAudioFiles, audioFiles);
}
bool AudioEffectX::offlineGetCurrentPass() { return askHost(audioMasterOfflineGetCurrentPass); }
bool AudioEffectX::offlineGetCurrentMetaPass() { return askHost(audioMasterOfflineGetCurrentMetaPass); }
bool AudioEffectX::offlineNotify(VstAudioFile*, VstInt32, bool) { return false; }
bool AudioEffectX::offlinePrepare(VstOfflineTask*, VstInt32) { return false; }
bool AudioEffectX::offlineRun(VstOfflineTask*, VstInt32) { return false; }

void AudioEffectX::wantEvents(VstInt32 filter) { callHost(audioMasterWantMidi, 0, filter); }
VstInt32 AudioEffectX::tempoAt(VstInt32 pos) {
  return static_cast<VstInt32>(callHost(audioMasterTempoAt, 0, pos));
}
VstInt32 AudioEffectX::getNumAutomatableParameters() {
  return static_cast<VstInt32>(callHost(audioMasterGetNumAutomatableParameters));
}
VstInt32 AudioEffectX::getParameterQuantization() {
  return static_cast<VstInt32>(callHost(audioMasterGetParameterQuantization));
}
bool AudioEffectX::copyProgram(VstInt32) { return false; }
bool AudioEffectX::needIdle() { return askHost(audioMasterNeedIdle); }
AEffect* AudioEffectX::getPreviousPlug() {
  return reinterpret_cast<AEffect*>(callHost(audioMasterGetPreviousPlug));
}
AEffect* AudioEffectX::getNextPlug() { return reinterpret_cast<AEffect*>(callHost(audioMasterGetNextPlug)); }
void AudioEffectX::inputConnected(VstInt32, bool) {}
void AudioEffectX::outputConnected(VstInt32, bool) {}
VstInt32 AudioEffectX::willProcessReplacing() {
  return static_cast<VstInt32>(callHost(audioMasterWillReplaceOrAccumulate));
}
void AudioEffectX::setOutputSamplerate(float rate) {
  callHost(audioMasterSetOutputSampleRate, 0, 0, nullptr, rate);
}
VstSpeakerArrangement* AudioEffectX::getInputSpeakerArrangement() {
  return reinterpret_cast<VstSpeakerArrangement*>(callHost(audioMasterGetInputSpeakerArrangement));
}
VstSpeakerArrangement* AudioEffectX::getOutputSpeakerArrangement() {
  return reinterpret_cast<VstSpeakerArrangement*>(callHost(audioMasterGetOutputSpeakerArrangement));
}
void* AudioEffectX::openWindow(VstWindow* window) {
  return reinterpret_cast<void*>(callHost(audioMasterOpenWindow, 0, 0, window));
}
bool AudioEffectX::closeWindow(VstWindow* window) { return askHost(audioMasterCloseWindow, 0, 0, window); }
void AudioEffectX::setBlockSizeAndSampleRate(VstInt32 size, float rate) {
  blockSize = size;
  sampleRate = rate;
}
bool AudioEffectX::getErrorText(char*) { return false; }
bool AudioEffectX::setViewPosition(VstInt32, VstInt32) { return false; }

VstInt32 AudioEffectX::fxIdle() {
  std::printf("*** fxIdle ***\n");
  return 0;
}

bool AudioEffectX::getChunkFile(void* nativePath) {
  return nativePath && askHost(audioMasterGetChunkFile, 0, 0, nativePath);
}
