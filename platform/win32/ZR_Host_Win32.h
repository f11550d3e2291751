#pragma once
#include <windows.h>

#include <memory>

#include "host/ZR_Host.h"
#include "rts/ZR_Rts.h"
#include "win32/ZR_Host_Window_Win32.h"

/// A sound device class as the host registers it: classInit lists its devices in ZR_Rts_instances
/// and gives them the audio callback, classDone deletes them.
struct ZR_Host_Device_Class {
  ZR_error (*classInit)(ZR_Rts_callback callback);
  void (*classDone)();
};

/// The standalone host as a Windows program: the main window "QORM" with the host's menu bar, the
/// child window that holds the current instance's editor, and the host core behind the menu
/// commands. One per process. [window thread]
class ZR_Host_Win32 {
 public:
  /// The program's device classes: ASIO drivers first, then the wave device "Windows".
  static const ZR_Host_Device_Class kDeviceClasses[2];

  /// classes are registered in this order (their devices are listed in it) and released in it.
  explicit ZR_Host_Win32(const ZR_Host_Device_Class* classes = kDeviceClasses, int32_t classCount = 2);
  /// Closes the host first if its window has not been closed.
  ~ZR_Host_Win32();
  ZR_Host_Win32(const ZR_Host_Win32&) = delete;
  ZR_Host_Win32& operator=(const ZR_Host_Win32&) = delete;

  /// Start-up up to the shown main window: device classes, the plug-in entry among the program's
  /// own exports, window classes, menus, the first device and mode, the windows, the first
  /// instance with its editor, the title and the size. False when a window cannot be made.
  bool start(HINSTANCE instance);
  /// Runs the message loop until the main window has closed; 0.
  static int run();

  HWND mainWindow() const { return main_; }
  HWND effectWindow() const { return effect_; }
  ZR_Host& host() { return *host_; }
  const ZR_Host_Window_Win32& menus() const { return *menus_; }

 private:
  static LRESULT CALLBACK mainProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  /// Shutdown: the device freed and finished, every instance closed, the device classes released,
  /// the windows destroyed and the loop told to end. Ignored inside a running command.
  void close();

  const ZR_Host_Device_Class* classes_;
  int32_t classCount_;
  bool classesInitialised_ = false;
  std::unique_ptr<ZR_Host_Window_Win32> menus_;
  std::unique_ptr<ZR_Host> host_;
  HWND main_ = nullptr;
  HWND effect_ = nullptr;
};
