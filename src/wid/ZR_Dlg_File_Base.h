#pragma once
#include "wid/ZR_Dlg.h"

/// The open and save dialogs of preset files. Each platform layer shows them its own way; the
/// concrete ZR_Dlg_File derives from the layer the target builds.
class ZR_Dlg_File_Base : public ZR_Dlg {
 public:
  /// filter: pairs of texts (name, pattern), each ended by a zero byte, the list by one more.
  ZR_Dlg_File_Base(ZR_Win* ownerWindow, const char* fileFilter) : ZR_Dlg(ownerWindow), filter(fileFilter) {}
  virtual ~ZR_Dlg_File_Base() = default;

  /// Asks for an existing file; the chosen path, or null on cancel or error. The path lives in this
  /// object until the next dialog call. [window thread] Blocks while the dialog is shown.
  virtual const char* open() = 0;
  /// Asks for a file to write, confirming an overwrite; a name typed without extension gets the
  /// extension of the filter in use (the default extension where the filter names none). The
  /// chosen path or null, as open. [window thread] Blocks while the dialog is shown.
  virtual const char* save() = 0;

  const char* filter;

  /// What every platform's dialog shows and does alike.
  static constexpr const char kTitle[] = "File preset";
  static constexpr const char kDefaultExtension[] = "bin";
  static constexpr const char kInitialDirectory[] = ".";
  /// The size of the path buffer, its terminating zero byte included.
  static constexpr int kPathCapacity = 4096;
};
