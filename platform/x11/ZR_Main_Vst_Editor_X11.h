#pragma once
#include "plugin/AEffEditor.h"

class ZR_Main_Vst;
class ZR_Win_X11;

/// The Linux plug-in's editor: the application's widgets in an X11 child window of the window the
/// host opens the editor in. Every operation runs on the host's window thread, which also calls
/// `idle` regularly (the Linux hosts' convention): that is where the mouse is followed and where
/// changes made by any thread are drawn.
class ZR_Main_Vst_Editor_X11 final : public AEffEditor {
 public:
  /// Creates the drawing window at the application's size; no X window until open.
  explicit ZR_Main_Vst_Editor_X11(ZR_Main_Vst& plugin);
  /// Destroys the drawing window, closing it first if the host did not.
  ~ZR_Main_Vst_Editor_X11() override;

  /// The editor's size: one rectangle, the same object at every call.
  bool getRect(ERect** rect) override;
  /// parentWindow carries the host's X window id. Places the drawing window in it, attaches the
  /// widgets and shows them all; false, with nothing made, when the window cannot be made there.
  bool open(void* parentWindow) override;
  /// Takes the widgets off the drawing window and destroys its X window, image and connection.
  void close() override;
  /// Handles the window's events and draws what changed since the last call.
  void idle() override;

 private:
  ZR_Main_Vst& plugin_;
  ZR_Win_X11* window_;
};
