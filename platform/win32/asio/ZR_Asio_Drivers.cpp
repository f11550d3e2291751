#include "ZR_Asio_Drivers.h"

#include <cstring>
#include <string>

namespace {
// Texts are kept as the 32-bit driver list kept them: names up to 127 characters.
void copyCut(char* to, size_t size, const std::string& from) {
  size_t n = from.size() < size - 1 ? from.size() : size - 1;
  std::memcpy(to, from.data(), n);
  to[n] = 0;
}
}  // namespace

AsioDriverList::AsioDriverList(ZR_Asio_System& system) : system_(system) {
  std::vector<std::string> keys;
  if (!system_.driverKeys(&keys)) return;
  for (const std::string& key : keys) {
    std::string clsidText;
    std::string path;
    // A driver is listed only when its class names an in-process server that is really there.
    if (!system_.driverValue(key, "clsid", &clsidText)) continue;
    if (!system_.serverPath(clsidText, &path) || !system_.fileExists(path)) continue;
    Entry entry{};
    if (!system_.parseClsid(clsidText, &entry.clsid)) entry.clsid = ZR_Clsid{};
    std::string description;
    copyCut(entry.name, sizeof entry.name,
            system_.driverValue(key, "description", &description) ? description : key);
    entries_.push_back(entry);
  }
  if (!entries_.empty()) system_.comInit();
}

AsioDriverList::~AsioDriverList() {
  if (entries_.empty()) return;
  for (Entry& entry : entries_) {
    if (entry.driver) entry.driver->Release();
  }
  system_.comDone();
}

const AsioDriverList::Entry* AsioDriverList::entry(int32_t index) const {
  if (index < 0 || index >= driverCount()) return nullptr;
  return &entries_[static_cast<size_t>(index)];
}

int32_t AsioDriverList::driverName(int32_t index, char* text, int32_t size) const {
  // Below 4 there is no room for "..." and its terminator.
  if (!text || size < 4) return kAsioDrvInvalidArgument;
  const Entry* e = entry(index);
  if (!e) return kAsioDrvNoSuchDriver;
  size_t length = std::strlen(e->name);
  if (length < static_cast<size_t>(size)) {
    std::memcpy(text, e->name, length + 1);
  } else {
    size_t kept = static_cast<size_t>(size) - 4;
    std::memcpy(text, e->name, kept);
    std::memcpy(text + kept, "...", 4);
  }
  return 0;
}

int32_t AsioDriverList::openDriver(int32_t index, IASIO** driver) {
  if (!driver) return kAsioDrvInvalidArgument;
  if (!entry(index)) return kAsioDrvNoSuchDriver;
  Entry& e = entries_[static_cast<size_t>(index)];
  if (e.driver) return kAsioDrvAlreadyOpen;
  IASIO* created = nullptr;
  int32_t result = system_.createDriver(e.clsid, &created);
  if (result != 0) return result;
  e.driver = created;
  *driver = created;
  return 0;
}

int32_t AsioDriverList::closeDriver(int32_t index) {
  if (!entry(index)) return 0;
  Entry& e = entries_[static_cast<size_t>(index)];
  if (e.driver) {
    e.driver->Release();
    e.driver = nullptr;
  }
  return 0;
}

bool AsioDrivers::loadDriver(int32_t index, IASIO** loaded) {
  if (!entry(index)) return false;
  int32_t previous = current_;
  removeCurrentDriver();
  *loaded = nullptr;
  if (openDriver(index, loaded) == 0) {
    current_ = index;
    return true;
  }
  *loaded = nullptr;
  if (previous >= 0 && previous != index) loadDriver(previous, loaded);
  return false;
}

int32_t AsioDrivers::removeCurrentDriver() {
  if (current_ >= 0) closeDriver(current_);
  current_ = -1;
  return 0;
}
