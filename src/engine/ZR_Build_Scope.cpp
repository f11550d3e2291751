#include "engine/ZR_Build_Scope.h"

namespace {
// Made on first use: a program loaded as a library runs no static constructors.
std::recursive_mutex& buildLock() {
  static std::recursive_mutex lock;
  return lock;
}
}  // namespace

ZR_Build_Scope::ZR_Build_Scope() : hold_(buildLock()) {}
