#pragma once
// The ASIO driver interface and the records it exchanges with a host, declared from the published
// layouts. Every count and code is 32 bits wide on every target, so int32_t stands for the driver's
// long; pointers stay pointers.
#include <cstdint>

#include "ZR_Com_Layer.h"

typedef int32_t ASIOError;
typedef int32_t ASIOBool;
typedef double ASIOSampleRate;

enum : ASIOError {
  ASE_OK = 0,
  ASE_NotPresent = -1000,
};

/// What ASIOInit fills in for the host.
struct ASIODriverInfo {
  int32_t asioVersion;
  int32_t driverVersion;
  char name[32];
  char errorMessage[124];
  void* sysRef;
};

/// One channel as the driver describes it (getChannelInfo fills all but channel and isInput).
struct ASIOChannelInfo {
  int32_t channel;
  ASIOBool isInput;
  ASIOBool isActive;
  int32_t channelGroup;
  int32_t type;  // sample type; see ZR_Rts's sample-type map
  char name[32];
};

/// One channel's double buffer: the host names the channel, the driver fills both halves.
struct ASIOBufferInfo {
  ASIOBool isInput;
  int32_t channelNum;
  void* buffers[2];
};

struct ASIOTime;         // the time-info record; this host never looks inside it
struct ASIOClockSource;  // clock-source record; this host never lists clocks
struct ASIOSamples;      // 64-bit sample position in two halves
struct ASIOTimeStamp;    // 64-bit system time in two halves

/// The host's callbacks, called by the driver on its own thread (plain C calls).
struct ASIOCallbacks {
  void (*bufferSwitch)(int32_t doubleBufferIndex, ASIOBool directProcess);
  void (*sampleRateDidChange)(ASIOSampleRate rate);
  int32_t (*asioMessage)(int32_t selector, int32_t value, void* message, double* opt);
  ASIOTime* (*bufferSwitchTimeInfo)(ASIOTime* params, int32_t doubleBufferIndex, ASIOBool directProcess);
};

/// Selectors of asioMessage that this host knows.
enum : int32_t {
  kAsioSelectorSupported = 1,
  kAsioEngineVersion = 2,
  kAsioResetRequest = 3,
  kAsioBufferSizeChange = 4,
  kAsioResyncRequest = 5,
  kAsioLatenciesChanged = 6,
  kAsioSupportsTimeInfo = 7,
  kAsioSupportsTimeCode = 8,
  kAsioSupportsInputMonitor = 10,
};

/// A 16-byte COM class identifier.
struct ZR_Clsid {
  uint32_t data1;
  uint16_t data2;
  uint16_t data3;
  uint8_t data4[8];
};

/// The driver object: COM's three interface-management operations, then the ASIO operations in
/// their published order. Drivers compile these as ordinary member functions (the object pointer in
/// ECX, the callee removing the arguments), which is what i686 g++ does for virtual members too, so
/// the host calls them directly; only the three COM operations need the standard call.
class IASIO {
 public:
  virtual int32_t ZR_COM_CALL QueryInterface(const ZR_Clsid& iid, void** object) = 0;
  virtual uint32_t ZR_COM_CALL AddRef() = 0;
  virtual uint32_t ZR_COM_CALL Release() = 0;

  /// Non-zero when the driver is ready; the result is a full 32-bit value.
  virtual ASIOBool init(void* sysHandle) = 0;
  virtual void getDriverName(char* name) = 0;  // at most 32 characters with the terminator
  virtual int32_t getDriverVersion() = 0;
  virtual void getErrorMessage(char* text) = 0;  // at most 124 characters with the terminator
  virtual ASIOError start() = 0;
  virtual ASIOError stop() = 0;
  virtual ASIOError getChannels(int32_t* inputs, int32_t* outputs) = 0;
  virtual ASIOError getLatencies(int32_t* inputLatency, int32_t* outputLatency) = 0;
  virtual ASIOError getBufferSize(int32_t* minimum, int32_t* maximum, int32_t* preferred,
                                  int32_t* granularity) = 0;
  virtual ASIOError canSampleRate(ASIOSampleRate rate) = 0;
  virtual ASIOError getSampleRate(ASIOSampleRate* rate) = 0;
  virtual ASIOError setSampleRate(ASIOSampleRate rate) = 0;
  virtual ASIOError getClockSources(ASIOClockSource* clocks, int32_t* count) = 0;
  virtual ASIOError setClockSource(int32_t reference) = 0;
  virtual ASIOError getSamplePosition(ASIOSamples* position, ASIOTimeStamp* stamp) = 0;
  virtual ASIOError getChannelInfo(ASIOChannelInfo* info) = 0;
  virtual ASIOError createBuffers(ASIOBufferInfo* infos, int32_t count, int32_t bufferSize,
                                  ASIOCallbacks* callbacks) = 0;
  virtual ASIOError disposeBuffers() = 0;
  virtual ASIOError controlPanel() = 0;
  virtual ASIOError future(int32_t selector, void* opt) = 0;
  virtual ASIOError outputReady() = 0;

 protected:
  ~IASIO() = default;  // released through Release, never deleted through this interface
};
