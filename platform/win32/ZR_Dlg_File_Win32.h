#pragma once
#include <memory>

#include "wid/ZR_Dlg_File_Base.h"

// The dialog record of <commdlg.h> (OPENFILENAMEA), named without including it: portable headers
// reach this one.
struct tagOFNA;

/// The common dialogs GetOpenFileNameA and GetSaveFileNameA, owned by the window that holds the
/// editor, starting in the current directory, titled "File preset", completing names with ".bin".
class ZR_Dlg_File_Win32 : public ZR_Dlg_File_Base {
 public:
  ZR_Dlg_File_Win32(ZR_Win* ownerWindow, const char* fileFilter);
  ~ZR_Dlg_File_Win32() override;

  const char* open() override;
  const char* save() override;

  /// The dialog record, as the last dialog left it (tests read the settings from it).
  const tagOFNA& record() const { return *record_; }

 private:
  const char* show(unsigned long flags, int(__stdcall* dialog)(tagOFNA*));

  std::unique_ptr<tagOFNA> record_;
  char file_[kPathCapacity] = "";
};
