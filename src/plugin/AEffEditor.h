#pragma once
#include "plugin/AEffect.h"

class AudioEffect;

/// Editor base: an effect owns one and the dispatcher's editor opcodes reach it. [window thread]
class AEffEditor {
 public:
  explicit AEffEditor(AudioEffect* owner = nullptr) : effect(owner) {}
  virtual ~AEffEditor() = default;
  AEffEditor(const AEffEditor&) = delete;
  AEffEditor& operator=(const AEffEditor&) = delete;

  virtual AudioEffect* getEffect() { return effect; }
  /// Hands out the editor's rectangle; the base has none.
  virtual bool getRect(ERect** rect);
  /// Shows the editor inside the host's window.
  virtual bool open(void* parentWindow);
  virtual void close() { systemWindow = nullptr; }
  virtual bool isOpen() { return systemWindow != nullptr; }
  virtual void idle() {}
  virtual bool onKeyDown(VstKeyCode& keyCode);
  virtual bool onKeyUp(VstKeyCode& keyCode);
  virtual bool onWheel(float distance);
  virtual bool setKnobMode(VstInt32 mode);

 protected:
  AudioEffect* effect;
  void* systemWindow = nullptr;  // the host's parent window while open
};
