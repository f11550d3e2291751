#include <chrono>
#include <mutex>

#include "cmd/ZR_Mutex.h"

ZR_Mutex::ZR_Mutex() : handle_(new std::timed_mutex) {}
ZR_Mutex::~ZR_Mutex() { delete static_cast<std::timed_mutex*>(handle_); }

bool ZR_Mutex::lock(unsigned timeoutMs) {
  return static_cast<std::timed_mutex*>(handle_)->try_lock_for(std::chrono::milliseconds(timeoutMs));
}

void ZR_Mutex::unlock() { static_cast<std::timed_mutex*>(handle_)->unlock(); }
