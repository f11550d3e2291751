#include "ZR_Dlg_File_Win32.h"

#include <windows.h>

#include "ZR_Win_Win32.h"

ZR_Dlg_File_Win32::ZR_Dlg_File_Win32(ZR_Win* ownerWindow, const char* fileFilter)
    : ZR_Dlg_File_Base(ownerWindow, fileFilter), record_(std::make_unique<OPENFILENAMEA>()) {
  OPENFILENAMEA& record = *record_;
  record.lStructSize = sizeof record;
  record.hInstance = GetModuleHandleA(nullptr);
  record.lpstrFilter = filter;
  record.lpstrFile = file_;
  record.nMaxFile = sizeof file_;
  record.lpstrInitialDir = kInitialDirectory;
  record.lpstrTitle = kTitle;
  record.lpstrDefExt = kDefaultExtension;
}

ZR_Dlg_File_Win32::~ZR_Dlg_File_Win32() = default;

// The dialog is owned by the window the editor lives in (the parent of our child window), so it is
// modal to the host's editor frame. Without an owner window it has no owner.
const char* ZR_Dlg_File_Win32::show(unsigned long flags, int(__stdcall* dialog)(tagOFNA*)) {
  OPENFILENAMEA& record = *record_;
  record.hwndOwner = owner ? static_cast<ZR_Win_Win32*>(owner)->parent() : nullptr;
  record.lpstrFilter = filter;
  record.Flags = flags;
  return dialog(&record) ? file_ : nullptr;
}

const char* ZR_Dlg_File_Win32::open() {
  return show(OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST, GetOpenFileNameA);
}

const char* ZR_Dlg_File_Win32::save() {
  return show(OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT, GetSaveFileNameA);
}
