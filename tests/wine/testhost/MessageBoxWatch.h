#pragma once
#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

/// Dismisses every message box this process shows while it lives, and records its text: a box
/// left open would hang an unattended run. A plug-in file keeps its own message-box hook out of
/// the host's reach, so the boxes are found on the desktop like a user would find them.
class MessageBoxWatch {
 public:
  MessageBoxWatch();
  ~MessageBoxWatch();
  MessageBoxWatch(const MessageBoxWatch&) = delete;
  MessageBoxWatch& operator=(const MessageBoxWatch&) = delete;

  /// The texts of the boxes dismissed so far.
  std::vector<std::string> dismissed();

 private:
  void watch();

  std::atomic<bool> stop_{false};
  std::mutex lock_;
  std::vector<std::string> dismissed_;
  std::thread watcher_;
};
