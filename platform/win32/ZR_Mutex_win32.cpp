#include <windows.h>

#include "cmd/ZR_Mutex.h"

ZR_Mutex::ZR_Mutex() : handle_(CreateMutexA(nullptr, FALSE, nullptr)) {}
ZR_Mutex::~ZR_Mutex() { CloseHandle(static_cast<HANDLE>(handle_)); }

bool ZR_Mutex::lock(unsigned timeoutMs) {
  DWORD result = WaitForSingleObject(static_cast<HANDLE>(handle_), timeoutMs);
  // An abandoned mutex is still ours now; the owner that died cannot be waited for.
  return result == WAIT_OBJECT_0 || result == WAIT_ABANDONED;
}

void ZR_Mutex::unlock() { ReleaseMutex(static_cast<HANDLE>(handle_)); }
