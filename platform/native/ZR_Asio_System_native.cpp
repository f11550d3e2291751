#include "win32/asio/ZR_Asio_System.h"

namespace {
// Headless builds have no registry and no COM: the ASIO key is simply not there, so no driver is
// listed and nothing is ever created.
class NoAsioSystem final : public ZR_Asio_System {
 public:
  bool driverKeys(std::vector<std::string>*) override { return false; }
  bool driverValue(const std::string&, const char*, std::string*) override { return false; }
  bool serverPath(const std::string&, std::string*) override { return false; }
  bool fileExists(const std::string&) override { return false; }
  bool parseClsid(const std::string&, ZR_Clsid*) override { return false; }
  void comInit() override {}
  void comDone() override {}
  int32_t createDriver(const ZR_Clsid&, IASIO** driver) override {
    *driver = nullptr;
    return ASE_NotPresent;
  }
};
}  // namespace

ZR_Asio_System& ZR_asio_platform_system() {
  static NoAsioSystem system;
  return system;
}
