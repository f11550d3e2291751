#pragma once
// What driver discovery needs from the registry and COM. The Windows layer answers from the real
// registry (ZR_Asio_System_Win32.cpp); the headless layer has no drivers; tests install fakes.
#include <cstdint>
#include <string>
#include <vector>

#include "ZR_Asio_Driver.h"

class ZR_Asio_System {
 public:
  virtual ~ZR_Asio_System() = default;

  /// [client thread] The subkey names of "software\asio" of the local machine, in registry order;
  /// false when that key cannot be opened.
  virtual bool driverKeys(std::vector<std::string>* names) = 0;
  /// [client thread] The text value called value of the driver key; false when it is missing or
  /// not a text.
  virtual bool driverValue(const std::string& key, const char* value, std::string* text) = 0;
  /// [client thread] The library registered as the class's in-process server; false when none is.
  virtual bool serverPath(const std::string& clsidText, std::string* path) = 0;
  /// [client thread] Whether a file of that path exists (any length of path).
  virtual bool fileExists(const std::string& path) = 0;
  /// [client thread] Parses a class-id text; false when it is not one.
  virtual bool parseClsid(const std::string& text, ZR_Clsid* clsid) = 0;
  /// [client thread] Initialises and uninitialises COM for the calling thread.
  virtual void comInit() = 0;
  virtual void comDone() = 0;
  /// [client thread] Creates the in-process driver object of the class (the class id doubles as the
  /// interface id); 0 with *driver set, or the platform's failure code.
  virtual int32_t createDriver(const ZR_Clsid& clsid, IASIO** driver) = 0;
};

/// The system discovery uses: the platform's own unless a test installed another.
ZR_Asio_System& ZR_asio_system();
/// Installs a system (null restores the platform's); returns the previous one, null for the platform's.
ZR_Asio_System* ZR_asio_use_system(ZR_Asio_System* system);
/// Defined once per platform layer.
ZR_Asio_System& ZR_asio_platform_system();
