#pragma once
#include <atomic>
#include <cstdint>

#include "cmd/ZR_Chain.h"
#include "gfx/ZR_Win.h"

struct HWND__;

/// A ZR_Win shown in a Win32 child window of someone else's window (a host's editor frame, the
/// standalone host's effect window). Changes are composed and copied to the screen at once.
class ZR_Win_Win32 : public ZR_Win {
 public:
  /// Creates the paint lock and joins the process-wide window list.
  ZR_Win_Win32(int32_t w, int32_t h);
  /// Leaves its parent (destroying the child window) and the window list.
  ~ZR_Win_Win32() override;

  /// Attaches to parent: creates the child window and the memory device context. A null parent
  /// detaches. The class "ZRFRAMEx%8.8X" is registered on the first call. [window thread]
  void hwnd(HWND__* parent);

  /// Composes rect straight into the child window; nothing without one. [window thread]
  void invalidate(const ZR_Rect& rect) override;

  /// A message of the child window (painting and the mouse). A paint first runs a requested
  /// refresh. [window thread]
  intptr_t onMessage(HWND__* window, unsigned message, uintptr_t wParam, intptr_t lParam);

  HWND__* parent() const { return parent_; }
  HWND__* child() const { return child_.load(std::memory_order_relaxed); }

  /// The name the frame class was registered under, "ZRFRAMEx" and the module handle in hex.
  static const char* className();

 protected:
  /// Invalidates the whole child window, so its paint message runs the refresh. [any thread]
  void wake() override;

 private:
  HWND__* parent_ = nullptr;
  std::atomic<HWND__*> child_{nullptr};  // read by painting threads, written by the window thread
  bool leaveTrackingRequested_ = false;
  ZR_Chain_Item listLink_{this};
};
