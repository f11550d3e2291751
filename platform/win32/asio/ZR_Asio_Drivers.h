#pragma once
// The registered ASIO drivers, one entry each in registry order, and the one that is loaded.
#include <cstdint>
#include <vector>

#include "ZR_Asio_Driver.h"
#include "ZR_Asio_System.h"

enum : int32_t {
  kAsioDrvInvalidArgument = -5001,
  kAsioDrvAlreadyOpen = -5002,
  kAsioDrvNoSuchDriver = -5003,
};

/// [client thread] Built once from the registry; never refreshed.
class AsioDriverList {
 public:
  /// Lists the drivers; initialises COM for this thread when there is at least one.
  explicit AsioDriverList(ZR_Asio_System& system);
  /// Releases every open driver; uninitialises COM when the list was not empty.
  ~AsioDriverList();
  AsioDriverList(const AsioDriverList&) = delete;
  AsioDriverList& operator=(const AsioDriverList&) = delete;

  int32_t driverCount() const { return static_cast<int32_t>(entries_.size()); }
  /// Copies the name; a name that does not fit in size characters with its terminator is cut to
  /// size - 4 characters and "...". 0, or kAsioDrvInvalidArgument (null text, size below 4),
  /// kAsioDrvNoSuchDriver.
  int32_t driverName(int32_t index, char* text, int32_t size) const;
  /// Creates the driver object; 0, a list error or the platform's failure code.
  int32_t openDriver(int32_t index, IASIO** driver);
  /// Releases the driver object when it is open; always 0.
  int32_t closeDriver(int32_t index);

 protected:
  struct Entry {
    ZR_Clsid clsid;  // zero when the registered text is no class id
    char name[128];  // the description, or the key's name
    IASIO* driver;   // open object, else null
  };
  const Entry* entry(int32_t index) const;

  ZR_Asio_System& system_;
  std::vector<Entry> entries_;
};

/// The list with one current driver at most.
class AsioDrivers : public AsioDriverList {
 public:
  using AsioDriverList::AsioDriverList;

  /// Makes the driver at index current, releasing the current one first; a failure re-opens the
  /// previous one. An index that is not listed changes nothing. *loaded gets the driver (null on
  /// failure).
  bool loadDriver(int32_t index, IASIO** loaded);
  /// Releases the current driver, if any; 0.
  int32_t removeCurrentDriver();
  int32_t currentIndex() const { return current_; }

 private:
  int32_t current_ = -1;
};
