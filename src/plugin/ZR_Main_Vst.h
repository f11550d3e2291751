#pragma once
#include "app/ZR_Application.h"
#include "plugin/AudioEffectX.h"

/// The product as a VST 2.4 effect: builds the application and forwards the host's audio, sample
/// rate and parameters to it, answering with the product's fixed identity otherwise.
class ZR_Main_Vst : public AudioEffectX {
 public:
  static constexpr VstInt32 kUniqueId = vstFourCC('x', '4', '4', 'e');
  static constexpr VstInt32 kPrograms = 1;
  static constexpr VstInt32 kParams = 2;  // State and Frequency
  static constexpr VstInt32 kOutputs = 2;
  static constexpr VstInt32 kVendorVersion = 1000;
  static constexpr char kProgramName[] = "Default program";

  /// Builds the application and announces the identity. [the host thread that creates it]
  explicit ZR_Main_Vst(audioMasterCallback audioMaster);
  /// Deletes what the application built, then the editor. [the host thread that closes it]
  ~ZR_Main_Vst() override;

  /// Silences the graph's buffers and resets its nodes.
  void open() override;
  /// Gives every node the rate, truncated to whole hertz. [a host thread] Issues commands.
  void setSampleRate(float rate) override;
  /// [audio] One block through the application; no allocation, no locks.
  void processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) override;
  /// [any host thread] Sets State or Frequency and applies it; issues commands.
  void setParameter(VstInt32 index, float value) override;
  /// [any host thread, the audio thread too] No allocation, no locks.
  float getParameter(VstInt32 index) override;
  VstInt32 getProgram() override { return 0; }
  void setProgram(VstInt32) override {}
  void setProgramName(char*) override {}
  void getProgramName(char* name) override;
  void getParamLabel(VstInt32 index, char* label) override;
  void getParamDisplay(VstInt32 index, char* text) override;
  void getParamName(VstInt32 index, char* text) override;
  VstInt32 getChunk(void** data, bool isPreset) override;
  VstInt32 setChunk(void* data, VstInt32 byteSize, bool isPreset) override;
  bool getProgramNameIndexed(VstInt32 category, VstInt32 index, char* text) override;
  bool getEffectName(char* name) override;
  bool getVendorString(char* text) override;
  bool getProductString(char* text) override;
  VstInt32 getVendorVersion() override { return kVendorVersion; }
  VstInt32 getPlugCategory() override { return kPlugCategEffect; }

  ZR_Application application;

 private:
  /// The host's parameter index as the application's parameter; null beyond the two it announces.
  ZR_Application::Param* hostParam(VstInt32 index);
};
