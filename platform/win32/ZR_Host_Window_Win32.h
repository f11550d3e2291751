#pragma once
#include <windows.h>

#include "host/ZR_Host_Window.h"

/// The host's menus as Windows menus: the bar with "&Audio" (devices, "&Mode"), "&Channel"
/// (instances, "&Input", "&Add", "&Delete") and "&Help (online)", built once from its table.
/// [window thread]
class ZR_Host_Window_Win32 : public ZR_Host_Window {
 public:
  ZR_Host_Window_Win32();
  /// Destroys the bar unless a window holds it (the window destroys its own menu).
  ~ZR_Host_Window_Win32() override;
  ZR_Host_Window_Win32(const ZR_Host_Window_Win32&) = delete;
  ZR_Host_Window_Win32& operator=(const ZR_Host_Window_Win32&) = delete;

  void insertEntry(Popup popup, int32_t position, const char* text, uint16_t id, void* data) override;
  void removeEntry(Popup popup, int32_t position) override;
  void checkEntry(Popup popup, int32_t position, bool checked) override;
  void setEntry(Popup popup, int32_t position, const char* text, uint16_t id) override;
  void enableCommand(uint16_t id, bool enabled) override;
  void* effectWindow() override { return effect_; }
  void openHelp() override;

  HMENU bar() const { return bar_; }
  HMENU popup(Popup p) const { return popups_[p]; }
  /// The windows, once they exist: the main window owns the bar from then on.
  void setWindows(HWND main, HWND effect);

 private:
  HMENU bar_;
  HMENU popups_[4] = {};
  HWND main_ = nullptr;
  HWND effect_ = nullptr;
};
