#include "plugin/ZR_Main_Vst_editor.h"

// The headless build draws into memory only; hosts get no editor window from it.
AEffEditor* ZR_Main_Vst_editor(ZR_Main_Vst&) { return nullptr; }
