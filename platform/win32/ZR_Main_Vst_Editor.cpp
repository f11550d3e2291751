#include "ZR_Main_Vst_Editor.h"

#include <windows.h>

#include "ZR_Win_Win32.h"
#include "plugin/ZR_Main_Vst.h"

ZR_Main_Vst_Editor::ZR_Main_Vst_Editor(ZR_Main_Vst& plugin)
    : AEffEditor(&plugin),
      plugin_(plugin),
      window_(new ZR_Win_Win32(plugin.application.width, plugin.application.height)) {}

ZR_Main_Vst_Editor::~ZR_Main_Vst_Editor() { delete window_; }

bool ZR_Main_Vst_Editor::getRect(ERect** rect) {
  static ERect editorRect;
  editorRect = {0, 0, static_cast<int16_t>(plugin_.application.height),
                static_cast<int16_t>(plugin_.application.width)};
  if (rect) *rect = &editorRect;
  return true;
}

// The host's window goes back to its restored position, on top, with room for the whole editor:
// a window with a frame or a menu (a top-level window, as some hosts give) grows by them, so that
// its client area is the editor's size.
bool ZR_Main_Vst_Editor::open(void* parentWindow) {
  HWND parent = static_cast<HWND>(parentWindow);
  if (!IsWindow(parent)) return false;
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  GetWindowPlacement(parent, &placement);
  RECT frame = {0, 0, window_->width, window_->height};
  const bool child = GetWindowLongA(parent, GWL_STYLE) & WS_CHILD;
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongA(parent, GWL_STYLE)),
                     !child && GetMenu(parent) != nullptr,
                     static_cast<DWORD>(GetWindowLongA(parent, GWL_EXSTYLE)));
  SetWindowPos(parent, HWND_TOP, placement.rcNormalPosition.left, placement.rcNormalPosition.top,
               frame.right - frame.left, frame.bottom - frame.top, 0);

  window_->hwnd(parent);
  plugin_.application.attach(window_);
  window_->invalidate({0, 0, window_->width, window_->height});
  return true;
}

void ZR_Main_Vst_Editor::close() {
  plugin_.application.detach();
  window_->hwnd(nullptr);
}
