#include "ZR_asio.h"

#include <cstring>

AsioDrivers* asioDrivers = nullptr;

namespace {
// The driver every ASIO... function forwards to. Drivers take their operations as member calls and
// i686 g++ makes member calls the same way, so the calls go straight through: there is no adapter
// between host and driver that a second ASIOInit could wrap around itself.
IASIO* loadedDriver = nullptr;
}  // namespace

bool loadAsioDriver(int32_t index) {
  if (!asioDrivers) asioDrivers = new AsioDrivers(ZR_asio_system());
  return asioDrivers->loadDriver(index, &loadedDriver);
}

ASIOError ASIOInit(ASIODriverInfo* info) {
  info->driverVersion = 0;
  std::strcpy(info->name, "No ASIO Driver");
  if (!loadedDriver) return ASE_NotPresent;
  if (loadedDriver->init(info->sysRef) != 0) {
    std::strcpy(info->errorMessage, "No ASIO Driver Error");
    loadedDriver->getDriverName(info->name);
    info->name[sizeof info->name - 1] = 0;
    info->driverVersion = loadedDriver->getDriverVersion();
    return ASE_OK;
  }
  loadedDriver->getErrorMessage(info->errorMessage);
  info->errorMessage[sizeof info->errorMessage - 1] = 0;
  loadedDriver = nullptr;
  return ASE_NotPresent;
}

ASIOError ASIOExit() {
  if (asioDrivers) asioDrivers->removeCurrentDriver();
  loadedDriver = nullptr;
  return ASE_OK;
}

ASIOError ASIOStart() { return loadedDriver ? loadedDriver->start() : ASE_NotPresent; }

ASIOError ASIOStop() { return loadedDriver ? loadedDriver->stop() : ASE_NotPresent; }

ASIOError ASIOGetChannels(int32_t* inputs, int32_t* outputs) {
  if (loadedDriver) return loadedDriver->getChannels(inputs, outputs);
  *inputs = *outputs = 0;
  return ASE_NotPresent;
}

ASIOError ASIOGetBufferSize(int32_t* minimum, int32_t* maximum, int32_t* preferred, int32_t* granularity) {
  if (loadedDriver) return loadedDriver->getBufferSize(minimum, maximum, preferred, granularity);
  *minimum = *maximum = *preferred = *granularity = 0;
  return ASE_NotPresent;
}

ASIOError ASIOCanSampleRate(ASIOSampleRate rate) {
  return loadedDriver ? loadedDriver->canSampleRate(rate) : ASE_NotPresent;
}

ASIOError ASIOSetSampleRate(ASIOSampleRate rate) {
  return loadedDriver ? loadedDriver->setSampleRate(rate) : ASE_NotPresent;
}

ASIOError ASIOGetChannelInfo(ASIOChannelInfo* info) {
  if (loadedDriver) return loadedDriver->getChannelInfo(info);
  info->channelGroup = -1;
  info->type = 0;
  std::strcpy(info->name, "None");
  return ASE_NotPresent;
}

ASIOError ASIOCreateBuffers(ASIOBufferInfo* infos, int32_t count, int32_t bufferSize,
                            ASIOCallbacks* callbacks) {
  if (loadedDriver) return loadedDriver->createBuffers(infos, count, bufferSize, callbacks);
  for (int32_t i = 0; i < count; ++i) infos[i].buffers[0] = infos[i].buffers[1] = nullptr;
  return ASE_NotPresent;
}

ASIOError ASIODisposeBuffers() { return loadedDriver ? loadedDriver->disposeBuffers() : ASE_NotPresent; }
