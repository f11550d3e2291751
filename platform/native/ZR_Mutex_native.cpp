#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "cmd/ZR_Mutex.h"

namespace {
// Behaves like a Windows mutex: the owning thread may lock again, and must unlock as often.
// Built on a condition variable rather than std::timed_mutex, whose timed wait ThreadSanitizer
// does not follow.
struct RecursiveTimedMutex {
  std::mutex guard;
  std::condition_variable released;
  std::thread::id owner;
  unsigned depth = 0;
};
RecursiveTimedMutex& of(void* handle) { return *static_cast<RecursiveTimedMutex*>(handle); }
}  // namespace

ZR_Mutex::ZR_Mutex() : handle_(new RecursiveTimedMutex) {}
ZR_Mutex::~ZR_Mutex() { delete &of(handle_); }

bool ZR_Mutex::lock(unsigned timeoutMs) {
  RecursiveTimedMutex& m = of(handle_);
  const std::thread::id self = std::this_thread::get_id();
  // A try (a time-out of 0) waits for nothing, not even for the guard's short hold.
  std::unique_lock<std::mutex> lock(m.guard, std::try_to_lock);
  if (!lock.owns_lock()) {
    if (timeoutMs == 0) return false;
    lock.lock();
  }
  const auto free = [&] { return m.depth == 0 || m.owner == self; };
  // Only a lock that must wait reads the clock: the audio callback's try (a time-out of 0) and
  // every uncontended lock return without it.
  if (!free() && (timeoutMs == 0 || !m.released.wait_for(lock, std::chrono::milliseconds(timeoutMs), free)))
    return false;
  m.owner = self;
  ++m.depth;
  return true;
}

void ZR_Mutex::unlock() {
  RecursiveTimedMutex& m = of(handle_);
  {
    std::lock_guard<std::mutex> lock(m.guard);
    if (m.depth == 0 || m.owner != std::this_thread::get_id()) return;
    if (--m.depth != 0) return;  // still held: nobody waiting can take it yet
    m.owner = std::thread::id();
  }
  m.released.notify_one();
}
