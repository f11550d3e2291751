#pragma once
// The sound device of one ASIO driver: one instance per registered driver, one driver loaded at a
// time. The driver's own thread calls the buffer switch, which points the channels at the half of
// the double buffer that is due and calls the client.
#include <atomic>
#include <cstdint>

#include "ZR_Asio_Driver.h"
#include "rts/ZR_Rts.h"
#include "rts/ZR_Rts_instances.h"

class ZR_Rts_Asio : public ZR_Rts {
 public:
  /// A device channel and the driver's number for it.
  class Chan : public ZR_Rts::Chan {
   public:
    int32_t index = 0;
  };

  /// More channels per direction than a driver reports are left unused.
  static constexpr int32_t kMaxChannels = 16;

  /// Lists the drivers and makes one device for each, named after it. [client thread] Allocates.
  static ZR_error classInit(ZR_Rts_callback callback);
  /// Deletes every device and the driver list. [client thread]
  static void classDone();

  /// The device of the driver at driverIndex of the driver list (names need not be unique).
  ZR_Rts_Asio(const char* name, int32_t driverIndex);
  ~ZR_Rts_Asio() override;

  /// Loads and initialises the driver; lists its rates as modes and its usable input channels.
  ZR_error init() override;
  /// Closes the device if it is open, unloads the driver and forgets every mode and channel.
  ZR_error done() override;
  /// Sets the rate, lists the usable output channels, creates the driver's buffers and starts it.
  ZR_error mode(Mode* m) override;
  /// Stops the driver, then deletes the output channels and disposes of the driver's buffers.
  /// [client thread] Waits until a buffer switch in progress has returned.
  ZR_error free() override;

  /// [driver thread] Points every channel at the half due and calls the client. No allocation, no locks.
  static void bufferSwitch(int32_t doubleBufferIndex, ASIOBool directProcess);
  /// [driver thread] Handled like the plain switch, for drivers that call only this one.
  static ASIOTime* bufferSwitchTimeInfo(ASIOTime* params, int32_t doubleBufferIndex, ASIOBool directProcess);
  /// [driver thread] Nothing to do: the rate is the mode's until the next mode.
  static void sampleRateDidChange(ASIOSampleRate rate);
  /// [driver thread] Answers the driver's questions with what this host really does.
  static int32_t asioMessage(int32_t selector, int32_t value, void* message, double* opt);

  int32_t driverIndex() const { return driverIndex_; }
  int32_t inputCount() const { return inputCount_; }
  int32_t outputCount() const { return outputCount_; }
  int32_t preferredSize() const { return preferred_; }
  /// The buffer descriptions of the open mode: accepted inputs, then accepted outputs.
  const ASIOBufferInfo* bufferInfos() const { return infos_; }

  /// The device class's instances and callback.
  static ZR_Rts_Class asioClass;

 private:
  ZR_error fail(const char* proc, const char* call, int line);
  void scanChannels(bool input, int32_t driverCount, ZR_Chain* list, int32_t* infoCount);
  /// Waits until no buffer switch is between its check of the current mode and its return.
  static void waitForSwitches();

  const int32_t driverIndex_;
  int32_t driverInputs_ = 0;  // the driver's own counts, capped at kMaxChannels
  int32_t driverOutputs_ = 0;
  int32_t inputCount_ = 0;  // accepted channels
  int32_t outputCount_ = 0;
  int32_t minSize_ = 0, maxSize_ = 0, preferred_ = 0, granularity_ = 0;
  bool buffersCreated_ = false;
  ASIOBufferInfo infos_[2 * kMaxChannels] = {};
  ASIOCallbacks callbacks_ = {};

  static std::atomic<ZR_Rts_Asio*> current_;  // the device whose driver is initialised
  static std::atomic<int32_t> switching_;     // buffer switches in progress
};
