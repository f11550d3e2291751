#pragma once
#include <atomic>
#include <cstdint>
#include <memory>

#include "gfx/ZR_Win.h"

struct xcb_connection_t;

/// A ZR_Win shown in an X11 child window of someone else's window (a Linux host's editor frame),
/// over a display connection of its own, so it never shares the host's. Changes only mark tiles
/// dirty, from any thread; the window thread composes them into an image of the whole window and
/// sends the changed part when it handles its events (`idle`). The image also answers exposures.
///
/// With a server on the same machine the image is memory shared with it (MIT-SHM, passed as a file
/// descriptor): a full repaint's 190 kB then never pass through the socket, which saves the server
/// about a third of its work and the whole repaint about a sixth (bench_editor_x11). Elsewhere the
/// pixels go in requests.
///
/// It speaks XCB rather than Xlib: an X error (a host that destroyed its window before closing the
/// editor) then arrives as an event this window ignores, instead of reaching the process-wide Xlib
/// error handler, whose default ends the host.
class ZR_Win_X11 : public ZR_Win {
 public:
  /// What the child window carries in WM_CLASS: the instance name and the class name, each ended
  /// by a zero byte.
  static constexpr char kWmClass[] = "qorm\0ZRFRAME";

  ZR_Win_X11(int32_t w, int32_t h);
  /// Closes the window if it is open.
  ~ZR_Win_X11() override;

  /// Connects to the display named by DISPLAY, creates a child window of parent at (0, 0) with the
  /// window's size and its graphics context, maps it and sets up the image, shared with the server
  /// when sharedMemory allows and the server can. Closes an open window first. False, with nothing
  /// left behind, when there is no display, parent is no window on it, or its screen has no 24-bit
  /// true-colour visual stored as 32-bit little-endian pixels. Paints nothing: every tile is dirty
  /// until the next `flush`. [window thread] Allocates.
  bool open(uint32_t parent, bool sharedMemory = true);
  /// Destroys the child window and the graphics context, detaches the shared image and closes the
  /// connection; they are gone from the server when it returns. [window thread] Waits for the server.
  void close();
  bool isOpen() const { return connection_ != nullptr; }
  /// Whether the image is memory shared with the server.
  bool sharesMemory() const { return segment_ != 0; }
  /// The child window, 0 while closed.
  uint32_t windowId() const { return window_; }

  /// Marks the tiles rect overlaps dirty for the next `flush`. [any thread] No allocation, no locks,
  /// no X calls.
  void invalidate(const ZR_Rect& rect) override;

  /// Handles every event waiting on the connection (the mouse, exposures), then `flush`.
  /// [window thread]
  void idle();
  /// Composes every dirty tile into the image and sends the changed part to the window.
  /// [window thread] Blocks up to 1000 ms on the paint lock, and until the server has read the
  /// shared image sent last time (which it has long done by the next idle).
  void flush();
  /// Waits until the server has carried out every request sent so far. [window thread]
  void sync() const;

 private:
  bool shareImage();
  void send(const ZR_Rect& area);
  void waitForServer();
  void handleEvent(const void* event);
  void leave();

  xcb_connection_t* connection_ = nullptr;
  uint32_t window_ = 0;
  uint32_t gc_ = 0;
  uint8_t depth_ = 0;
  uint32_t requestBytes_ = 0;    // the largest request the server takes
  ZR_Pix_A32* image_ = nullptr;  // the composed window, row by row: shared or heapImage_
  std::unique_ptr<ZR_Pix_A32[]> heapImage_;
  uint32_t segment_ = 0;     // the server's name for the shared image, 0 when not shared
  uint32_t lastShared_ = 0;  // a request sent after the last shared put, whose reply says it is done
  bool sharedPutPending_ = false;
  const int32_t dirtyWords_;
  std::unique_ptr<std::atomic<uint64_t>[]> dirty_;  // one bit per tile, row by row
};
