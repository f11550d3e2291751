#pragma once

/// A mutex whose lock gives up after a time-out. Each platform layer defines it.
class ZR_Mutex {
 public:
  ZR_Mutex();
  ~ZR_Mutex();
  ZR_Mutex(const ZR_Mutex&) = delete;
  ZR_Mutex& operator=(const ZR_Mutex&) = delete;

  /// Waits up to timeoutMs; true when the lock is held. [any thread] Blocks.
  bool lock(unsigned timeoutMs);
  void unlock();

 private:
  void* handle_;
};
