#pragma once
#include "wid/ZR_Dlg_File_Base.h"
// The dialog layer of the platform this build compiles (its folder is on the include path): the
// common dialogs on Windows, queued answers in the headless build.
#include "ZR_Dlg_File_Layer.h"

/// The preset file dialogs an application makes once, with its filter, and binds to its window.
class ZR_Dlg_File final : public ZR_Dlg_File_Layer {
 public:
  /// owner: the window that holds the editor, or null until one is attached. [window thread]
  ZR_Dlg_File(ZR_Win* ownerWindow, const char* fileFilter) : ZR_Dlg_File_Layer(ownerWindow, fileFilter) {}
};
