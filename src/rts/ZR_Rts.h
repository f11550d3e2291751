#pragma once
#include <atomic>
#include <cstdint>

#include "cmd/ZR_Chain.h"
#include "cmd/ZR_error.h"

/// The client's per-block function. A device calls it on its own thread once per block, after it
/// has pointed every channel at that block's samples.
typedef void (*ZR_Rts_callback)();

/// A real-time sound device: it lists its modes and input channels (init), opens one mode (mode),
/// streams until free, and forgets everything again in done. Devices live from their class's
/// classInit to its classDone (ZR_Rts_instances.h).
class ZR_Rts {
 public:
  /// One way to open a device; its text is what the mode menu shows.
  class Mode : public ZR_Chain_Item {
   public:
    /// A negative channel count is taken as 0. [client thread]
    Mode(int32_t rate, int32_t bits, int32_t blockSize, int32_t channels);

    int32_t rate;       // Hz
    int32_t blockSize;  // frames per block: the count of every channel in this mode
    int32_t bits;
    int32_t channels;  // output channels of a wave mode, input channels of an ASIO mode
    char text[64];
  };

  /// One channel of a device (or, for copyBuffer, of the client's own buffers).
  class Chan : public ZR_Chain_Item {
   public:
    Chan() : ZR_Chain_Item(this) {}
    virtual ~Chan() = default;
    Chan(const Chan&) = delete;
    Chan& operator=(const Chan&) = delete;

    char name[64] = {};
    uint8_t* buffer = nullptr;  // first sample of this block; set by the device before each callback
    int32_t count = 0;          // samples per block
    uint32_t format = 0;        // sample format word (ZR_Rts_format.h)
  };

  /// name may be null (the name stays empty); at most 63 characters are kept.
  explicit ZR_Rts(const char* name);
  /// Deletes every mode and channel still listed. The device must be closed (free) by then.
  virtual ~ZR_Rts();
  ZR_Rts(const ZR_Rts&) = delete;
  ZR_Rts& operator=(const ZR_Rts&) = delete;

  /// Finds the modes and the input channels. [client thread] Allocates.
  virtual ZR_error init();
  /// Deletes every mode and every channel. [client thread]
  virtual ZR_error done();
  /// Opens the device in m (one of modes) and starts streaming. [client thread] Allocates.
  virtual ZR_error mode(Mode* m);
  /// Stops streaming and closes the device; the output channels are deleted. [client thread] Blocks.
  virtual ZR_error free();
  /// Sets the running flag; the device itself is unaffected. [client thread]
  virtual ZR_error start();
  /// Clears the running flag. [client thread]
  virtual ZR_error stop();
  /// Kept for the operation table's shape; no client calls it. [any thread]
  virtual ZR_error reserved();

  /// Copies one block from source's samples to destination's, converting the sample format.
  /// Returns ZR_OK, or null when it refuses (counts differ, a format word or a buffer is unusable);
  /// a refused copy leaves the destination untouched. [audio] No allocation, no locks.
  static ZR_error copyBuffer(Chan* destination, const Chan* source);

  /// The open mode, null while closed or stopping. [any thread] A device's handler reads it once
  /// per block.
  Mode* currentMode() const { return current_.load(); }
  bool running() const { return running_; }
  const char* name() const { return name_; }

  ZR_Chain modes;                    // of Mode, filled by init
  ZR_Chain inputs;                   // of Chan, filled by init
  ZR_Chain outputs;                  // of Chan, created by mode and deleted by free
  ZR_Chain_Item classLink{this};     // in the device class's own list
  ZR_Chain_Item instanceLink{this};  // in ZR_Rts_instances

 protected:
  /// Makes m the current mode (null: closed), which a running handler sees at its next block.
  void setCurrentMode(Mode* m) { current_.store(m); }
  /// Unlinks and deletes every output channel; only once no handler can still walk them.
  void deleteOutputs();

 private:
  std::atomic<Mode*> current_{nullptr};
  bool running_ = false;
  char name_[64] = {};
};
