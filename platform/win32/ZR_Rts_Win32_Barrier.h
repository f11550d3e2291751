#pragma once
#include <chrono>
#include <condition_variable>
#include <mutex>

/// A binary semaphore with a time-out: free takes it, the wave-in handler gives it back once the
/// last input block is home. Only the stopping path uses it, never a streaming block.
class ZR_Rts_Win32_Barrier {
 public:
  /// Waits up to ms for the barrier; true when taken. [client thread] Blocks.
  bool take(unsigned ms) {
    std::unique_lock<std::mutex> lock(mutex_);
    if (!cv_.wait_for(lock, std::chrono::milliseconds(ms), [this] { return available_; })) return false;
    available_ = false;
    return true;
  }
  /// Makes the barrier available (again); giving an available barrier changes nothing. [any thread]
  void give() {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      available_ = true;
    }
    cv_.notify_all();
  }

 private:
  std::mutex mutex_;
  std::condition_variable cv_;
  bool available_ = true;
};
