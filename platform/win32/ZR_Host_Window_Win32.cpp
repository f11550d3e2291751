#include "win32/ZR_Host_Window_Win32.h"

#include <shellapi.h>

#include "app/ZR_Product.h"
#include "host/ZR_Host.h"

namespace {

// The menu bar as rows: text (empty: a separator), the menu the row goes into, and for a pop-up the
// handle it creates; otherwise the command it sends.
enum Menu { kBar = -1, kAudio = ZR_Host_Window::kAudio, kMode, kChannel, kInput };
struct Row {
  const char* text;
  int into;
  int creates;  // a pop-up, or -1
  uint16_t command;
};
constexpr Row kRows[] = {
    {"&Audio", kBar, kAudio, 0},
    {"", kAudio, -1, 0},
    {"&Mode", kAudio, kMode, 0},
    {"&Channel", kBar, kChannel, 0},
    {"", kChannel, -1, 0},
    {"&Input", kChannel, kInput, 0},
    {"", kChannel, -1, 0},
    {"&Add", kChannel, -1, ZR_Host::kAddInstance},
    {"&Delete", kChannel, -1, ZR_Host::kDeleteInstance},
    {"&Help (online)", kBar, -1, ZR_Host::kHelp},
};

}  // namespace

ZR_Host_Window_Win32::ZR_Host_Window_Win32() : bar_(CreateMenu()) {
  for (HMENU& p : popups_) p = CreatePopupMenu();
  for (const Row& row : kRows) {
    HMENU into = row.into == kBar ? bar_ : popups_[row.into];
    if (!*row.text)
      AppendMenuA(into, MF_SEPARATOR, 0, nullptr);
    else if (row.creates >= 0)
      AppendMenuA(into, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popups_[row.creates]), row.text);
    else
      AppendMenuA(into, MF_STRING | (row.command == ZR_Host::kDeleteInstance ? MF_DISABLED | MF_GRAYED : 0),
                  row.command, row.text);
  }
}

ZR_Host_Window_Win32::~ZR_Host_Window_Win32() {
  if (!main_ || !IsWindow(main_)) DestroyMenu(bar_);
}

void ZR_Host_Window_Win32::setWindows(HWND main, HWND effect) {
  main_ = main;
  effect_ = effect;
}

void ZR_Host_Window_Win32::insertEntry(Popup popup, int32_t position, const char* text, uint16_t id,
                                       void* data) {
  MENUITEMINFOA item{};
  item.cbSize = sizeof item;
  item.fMask = MIIM_FTYPE | MIIM_STRING | MIIM_ID | MIIM_DATA | MIIM_STATE;
  item.fType = MFT_RADIOCHECK;
  item.fState = MFS_UNCHECKED;
  item.wID = id;
  item.dwItemData = reinterpret_cast<ULONG_PTR>(data);
  item.dwTypeData = const_cast<char*>(text);
  InsertMenuItemA(popups_[popup], static_cast<UINT>(position), TRUE, &item);
}

void ZR_Host_Window_Win32::removeEntry(Popup popup, int32_t position) {
  DeleteMenu(popups_[popup], static_cast<UINT>(position), MF_BYPOSITION);
}

void ZR_Host_Window_Win32::checkEntry(Popup popup, int32_t position, bool checked) {
  CheckMenuItem(popups_[popup], static_cast<UINT>(position),
                MF_BYPOSITION | (checked ? MF_CHECKED : MF_UNCHECKED));
}

void ZR_Host_Window_Win32::setEntry(Popup popup, int32_t position, const char* text, uint16_t id) {
  MENUITEMINFOA item{};
  item.cbSize = sizeof item;
  item.fMask = MIIM_STRING | MIIM_ID;
  item.wID = id;
  item.dwTypeData = const_cast<char*>(text);
  SetMenuItemInfoA(popups_[popup], static_cast<UINT>(position), TRUE, &item);
}

void ZR_Host_Window_Win32::enableCommand(uint16_t id, bool enabled) {
  EnableMenuItem(popups_[kChannel], id, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_DISABLED | MF_GRAYED));
}

// The help is the maker's web page.
void ZR_Host_Window_Win32::openHelp() {
  ShellExecuteA(main_, "open", ZR_Product::vendor, "", "", SW_SHOWNORMAL);
}
