#pragma once
#include <X11/Xlib.h>

#include <cstdint>
#include <string>

#include "Capture.h"

/// The window a Linux host opens a plug-in's editor in: a top-level X window of the test's display
/// connection, whose id the host hands to effEditOpen. It drives the editor as a user would, moving
/// the real pointer and pressing its button through the XTest extension, and reads back what the
/// screen shows. [the thread that made it]
class HostWindow_X11 {
 public:
  /// Creates and maps the window at (left, top), the editor's size, white.
  HostWindow_X11(Display* display, int32_t left, int32_t top);
  ~HostWindow_X11();
  HostWindow_X11(const HostWindow_X11&) = delete;
  HostWindow_X11& operator=(const HostWindow_X11&) = delete;

  Window id() const { return window_; }
  /// What effEditOpen gets: the window id in the pointer argument.
  void* handle() const { return reinterpret_cast<void*>(static_cast<uintptr_t>(window_)); }
  /// The plug-in's window inside this one (the first child), or 0.
  Window editor() const;
  /// Destroys the window now, as a host that closes it before the editor.
  void destroy();

  /// Moves the pointer to (x, y) in this window's coordinates; presses or releases the left button.
  /// Each waits until the server has sent the editor what follows from it.
  void pointerTo(int32_t x, int32_t y) const;
  void button(bool down) const;

  /// What the screen shows of the editor's window.
  Capture capture() const;

 private:
  Display* display_;
  Window window_;
};

/// Every window of the display, top-level or any child, whose WM_CLASS has this class name.
int32_t windowsOfClass(Display* display, const std::string& className);
/// The clients connected to the display (the X-Resource extension).
int32_t clientCount(Display* display);
/// How many resources of a type ("WINDOW", "PIXMAP", "GC", ...) the client that made window holds.
int32_t resourcesOfOwner(Display* display, Window window, const char* type);
