#pragma once
#include <cstdint>

/// The host's main window as the host core sees it: four pop-up menus of radio-check entries, two
/// commands that can be greyed, the child window that holds the current editor, and the online help.
/// The Windows layer implements it with real menus; tests with a model they read back.
/// [window thread] Every operation; none is reached from the audio thread.
class ZR_Host_Window {
 public:
  /// The pop-ups whose entries the host keeps: devices, modes, instances, inputs.
  enum Popup { kAudio, kMode, kChannel, kInput };

  virtual ~ZR_Host_Window() = default;

  /// Inserts an unchecked radio-check entry before position (the count appends); data is the
  /// device, mode, instance or channel the entry stands for.
  virtual void insertEntry(Popup popup, int32_t position, const char* text, uint16_t id, void* data) = 0;
  /// Removes the entry at position.
  virtual void removeEntry(Popup popup, int32_t position) = 0;
  virtual void checkEntry(Popup popup, int32_t position, bool checked) = 0;
  /// Gives the entry at position a new text and command identifier.
  virtual void setEntry(Popup popup, int32_t position, const char* text, uint16_t id) = 0;
  /// Enables a command item, or disables and greys it.
  virtual void enableCommand(uint16_t id, bool enabled) = 0;

  /// The window that editors open in (what effEditOpen and effEditClose receive).
  virtual void* effectWindow() = 0;
  /// Opens the maker's help page.
  virtual void openHelp() = 0;
};
