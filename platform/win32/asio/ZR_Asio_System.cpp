#include "ZR_Asio_System.h"

namespace {
ZR_Asio_System* installed = nullptr;
}  // namespace

ZR_Asio_System& ZR_asio_system() { return installed ? *installed : ZR_asio_platform_system(); }

ZR_Asio_System* ZR_asio_use_system(ZR_Asio_System* system) {
  ZR_Asio_System* previous = installed;
  installed = system;
  return previous;
}
