#include "x11/ZR_Main_Vst_Editor_X11.h"

#include <cstdint>
#include <limits>

#include "plugin/ZR_Main_Vst.h"
#include "x11/ZR_Win_X11.h"

ZR_Main_Vst_Editor_X11::ZR_Main_Vst_Editor_X11(ZR_Main_Vst& plugin)
    : AEffEditor(&plugin),
      plugin_(plugin),
      window_(new ZR_Win_X11(plugin.application.width, plugin.application.height)) {}

ZR_Main_Vst_Editor_X11::~ZR_Main_Vst_Editor_X11() { delete window_; }

bool ZR_Main_Vst_Editor_X11::getRect(ERect** rect) {
  static ERect editorRect;
  editorRect = {0, 0, static_cast<int16_t>(plugin_.application.height),
                static_cast<int16_t>(plugin_.application.width)};
  if (rect) *rect = &editorRect;
  return true;
}

// Linux hosts make their window the size getRect reports (the constructor also asked the host for
// it), so the host's window is left as it is.
bool ZR_Main_Vst_Editor_X11::open(void* parentWindow) {
  const uintptr_t parent = reinterpret_cast<uintptr_t>(parentWindow);
  if (parent > std::numeric_limits<uint32_t>::max()) return false;  // no window id
  plugin_.application.detach();
  if (!window_->open(static_cast<uint32_t>(parent))) return false;
  plugin_.application.attach(window_);
  window_->invalidate({0, 0, window_->width, window_->height});
  window_->flush();
  return true;
}

void ZR_Main_Vst_Editor_X11::close() {
  plugin_.application.detach();
  window_->close();
}

void ZR_Main_Vst_Editor_X11::idle() { window_->idle(); }
