#pragma once
#include <cstdint>
#include <string>

#include "Capture.h"

struct HWND__;

/// The window a host opens a plug-in's editor in: a real top-level window with a caption, which
/// the host hands to effEditOpen. It drives the editor as a user would, with mouse messages sent
/// to the editor's window, and reads back what the screen shows. [the thread that made it]
class HostWindow {
 public:
  /// Creates and shows the window at (left, top) with a small client area, and moves the real
  /// pointer far away from it: leave tracking must not see it, nor must its moves reach the editor.
  HostWindow(int32_t left, int32_t top);
  ~HostWindow();
  HostWindow(const HostWindow&) = delete;
  HostWindow& operator=(const HostWindow&) = delete;

  HWND__* handle() const { return window_; }
  /// The plug-in's window inside this one (the first child), or null.
  HWND__* editor() const;
  /// The class name of a window ("" for none).
  static std::string className(HWND__* window);
  /// The size of this window's client area.
  void clientSize(int32_t& width, int32_t& height) const;

  /// Handles every message waiting for this thread, for at least milliseconds.
  void pump(int milliseconds = 0) const;

  /// Mouse messages to the editor at (x, y) in its client coordinates, as the system sends them.
  void mouseMove(int32_t x, int32_t y) const;
  void mouseDown(int32_t x, int32_t y) const;
  void mouseUp(int32_t x, int32_t y) const;
  /// Moves onto (x, y), presses, moves by (dx, dy) in steps of a few pixels, releases.
  void drag(int32_t x, int32_t y, int32_t dx, int32_t dy) const;
  void click(int32_t x, int32_t y) const;

  /// What the screen shows of the editor's window, copied from its device context. (PrintWindow
  /// would not draw child windows under Wine.)
  Capture capture() const;

 private:
  HWND__* window_;
};

/// What the screen shows of a window's client area, copied from its device context; empty for none.
Capture captureWindow(HWND__* window);

/// True when some window of the whole desktop (top-level or any child) has this class name.
bool windowOfClassExists(const std::string& className);
