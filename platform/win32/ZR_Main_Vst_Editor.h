#pragma once
#include "plugin/AEffEditor.h"

class ZR_Main_Vst;
class ZR_Win_Win32;

/// The plug-in's editor: the application's widgets in a drawing window that becomes a child of the
/// window the host opens the editor in. Every operation runs on the host's window thread.
class ZR_Main_Vst_Editor final : public AEffEditor {
 public:
  /// Creates the drawing window at the application's size; no screen window until open.
  explicit ZR_Main_Vst_Editor(ZR_Main_Vst& plugin);
  /// Destroys the drawing window (and its child window, if still open).
  ~ZR_Main_Vst_Editor() override;

  /// The editor's size: one rectangle, the same object at every call.
  bool getRect(ERect** rect) override;
  /// Sizes the host's window to the editor, places the drawing window in it, attaches the widgets
  /// and paints them all.
  bool open(void* parentWindow) override;
  /// Takes the widgets off the drawing window and the drawing window out of the host's window.
  void close() override;

 private:
  ZR_Main_Vst& plugin_;
  ZR_Win_Win32* window_;
};
