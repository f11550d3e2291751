#pragma once

class ZR_Win;

/// A dialog bound to the window that holds the editor, so the system dialogs it shows are owned by
/// that window. The owner may be replaced at any time by assigning it.
class ZR_Dlg {
 public:
  explicit ZR_Dlg(ZR_Win* ownerWindow) : owner(ownerWindow) {}

  ZR_Win* owner;
};
