#pragma once
// A concrete effect for the base-class tests: overrides nothing it does not need to observe.
#include <string>
#include <vector>

#include "plugin/AEffEditor.h"
#include "plugin/AudioEffectX.h"

class VstProbeEffect : public AudioEffectX {
 public:
  explicit VstProbeEffect(audioMasterCallback master, VstInt32 programs = 1, VstInt32 params = 2)
      : AudioEffectX(master, programs, params) {}
  ~VstProbeEffect() override { ++destroyed; }

  void processReplacing(float**, float**, VstInt32 frames) override { replacingFrames = frames; }
  void process(float**, float**, VstInt32 frames) override { accumulatingFrames = frames; }
  void setParameter(VstInt32 index, float value) override { parameters.at(index) = value; }
  float getParameter(VstInt32 index) override { return parameters.at(index); }
  void suspend() override { calls.push_back("suspend"); }
  void resume() override {
    calls.push_back("resume");
    AudioEffectX::resume();
  }
  void open() override { calls.push_back("open"); }
  void close() override { calls.push_back("close"); }
  VstInt32 canDo(char* text) override {
    return canDoReply && std::string(text) == canDoText ? canDoReply : 0;
  }

  // The protected state the tests look at.
  VstInt32 flags() const { return cEffect.flags; }
  VstInt32 currentProgram() const { return curProgram; }
  VstInt32 storedBlockSize() const { return blockSize; }
  float storedSampleRate() const { return sampleRate; }

  std::vector<std::string> calls;
  VstInt32 replacingFrames = -1;
  VstInt32 accumulatingFrames = -1;
  std::vector<float> parameters = std::vector<float>(2, 0.0f);
  std::string canDoText = "receiveVstMidiEvent";
  VstInt32 canDoReply = 0;
  static inline int destroyed = 0;
};

/// An editor that records the key records and knob modes it receives.
class VstProbeEditor : public AEffEditor {
 public:
  explicit VstProbeEditor(AudioEffect* effect) : AEffEditor(effect) {}
  ~VstProbeEditor() override { ++destroyed; }

  bool onKeyDown(VstKeyCode& key) override {
    lastKey = key;
    return true;
  }
  bool getRect(ERect** rect) override {
    *rect = &rectangle;
    return true;
  }
  bool open(void* parent) override {
    AEffEditor::open(parent);
    return true;
  }
  void idle() override { ++idles; }

  VstKeyCode lastKey{-1, 0, 0};
  ERect rectangle{0, 0, 10, 20};
  int idles = 0;
  static inline int destroyed = 0;
};
