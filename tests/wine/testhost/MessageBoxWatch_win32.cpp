#include <windows.h>

#include <set>

#include "MessageBoxWatch.h"

namespace {

struct Scan {
  std::set<HWND>& handled;  // boxes already told to close: they take a moment to go
  std::vector<std::string> found;
};

// A message box is a dialog of class "#32770"; its text is the static control 0xFFFF.
BOOL CALLBACK dismissBox(HWND window, LPARAM data) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  char name[16] = "";
  GetClassNameA(window, name, sizeof name);
  auto* scan = reinterpret_cast<Scan*>(data);
  // A box is taken once it shows, when its text is in place.
  if (process != GetCurrentProcessId() || lstrcmpA(name, "#32770") != 0 || !IsWindowVisible(window) ||
      !GetDlgItem(window, 0xFFFF) || !scan->handled.insert(window).second)
    return TRUE;
  char text[1024] = "";
  GetDlgItemTextA(window, 0xFFFF, text, sizeof text);
  scan->found.push_back(text);
  PostMessageA(window, WM_COMMAND, IDOK, 0);
  return TRUE;
}

}  // namespace

MessageBoxWatch::MessageBoxWatch() : watcher_([this] { watch(); }) {}

MessageBoxWatch::~MessageBoxWatch() {
  stop_ = true;
  watcher_.join();
}

std::vector<std::string> MessageBoxWatch::dismissed() {
  std::lock_guard<std::mutex> hold(lock_);
  return dismissed_;
}

void MessageBoxWatch::watch() {
  std::set<HWND> handled;
  while (!stop_) {
    Scan scan{handled, {}};
    EnumWindows(dismissBox, reinterpret_cast<LPARAM>(&scan));
    if (!scan.found.empty()) {
      std::lock_guard<std::mutex> hold(lock_);
      dismissed_.insert(dismissed_.end(), scan.found.begin(), scan.found.end());
    }
    Sleep(20);
  }
}
