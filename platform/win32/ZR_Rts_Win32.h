#pragma once
#include <atomic>
#include <cstdint>

#include "rts/ZR_Rts.h"
#include "rts/ZR_Rts_instances.h"
#include "win32/ZR_Rts_Win32_Barrier.h"
#include "win32/ZR_Wave_Api.h"

/// The sound device "Windows": stereo from the first wave input, 2 or 4 channels to the first wave
/// output, in blocks of 10 ms with eight buffers each way. The input clocks it: every recorded
/// block that comes back runs the client callback once and queues at most two output blocks.
class ZR_Rts_Win32 : public ZR_Rts {
 public:
  static constexpr int kBlocks = 8;

  /// The byte arithmetic of one mode: 10 ms blocks, 2 input channels, c output channels.
  struct Layout {
    int32_t frames;            // rate / 100
    int32_t channelBytes;      // one channel of one block
    int32_t outputBlockBytes;  // c channels interleaved
    int32_t inputBlockBytes;   // 2 channels interleaved
    int32_t blockBytes;        // all sixteen blocks: 8 output blocks, then 8 input blocks
  };
  /// false for a mode that cannot be laid out (rate not a positive multiple of 100, bits not 8 to
  /// 32 in whole bytes, 1 to 4 output channels).
  static bool layout(int32_t rate, int32_t bits, int32_t outputChannels, Layout* out);

  /// Names the user data of input header i and of output header i.
  struct Tag {
    ZR_Rts_Win32* device;
    int32_t index;
  };

  explicit ZR_Rts_Win32(ZR_Wave_Api& api);
  /// Closes the device when it is still open. [client thread] Blocks.
  ~ZR_Rts_Win32() override;

  /// Probes the formats (32, 24, 16 bits; 48, 96, 192, 44.1 kHz; 4 then 2 output channels) and
  /// lists the input channels. [client thread] Allocates.
  ZR_error init() override;
  /// Frees the device first when it is still open. [client thread] Blocks.
  ZR_error done() override;
  /// Opens input and output in m and starts recording. A failure leaves the device closed.
  /// [client thread] Allocates.
  ZR_error mode(Mode* m) override;
  /// Waits until every input block is home and no handler runs, then closes both devices.
  /// [client thread] Blocks up to seconds.
  ZR_error free() override;

  /// Creates the one instance "Windows" over api. [client thread] Allocates.
  static ZR_error classInit(ZR_Rts_callback callback, ZR_Wave_Api& api = ZR_Wave_Api::system());
  /// Deletes the instance. [client thread]
  static void classDone();
  static ZR_Rts_Class& deviceClass();

  /// The system's input callback. [system's callback thread] Runs the client callback; no
  /// allocation, no locks while streaming.
  static void waveInHandler(uint32_t message, uintptr_t param1);

  /// Header 0-7 describe the input blocks, 8-15 the output blocks. The system writes them while
  /// they are queued.
  ZR_Wave_Header& header(int i) { return headers_[i]; }
  uint8_t* outputBlock(int i) const { return output_[i]; }
  uint8_t* inputBlock(int i) const { return input_[i]; }
  /// Where the output channels point when no output block is free; never queued.
  uint8_t* scratchBlock() const { return scratch_; }
  /// How long free waits for the input blocks to come home (10 s unless changed).
  void setStopWait(unsigned ms) { stopWaitMs_ = ms; }

 private:
  void initHeaders();
  void runBlock(int index, const Mode* m);
  void queueOutput(int j);
  void waitForHandlers() const;
  ZR_error undoMode(ZR_error code);
  void releaseBlock();

  ZR_Wave_Api& api_;
  uint8_t* output_[kBlocks] = {};
  uint8_t* input_[kBlocks] = {};
  uint8_t* scratch_ = nullptr;
  uint8_t* block_ = nullptr;  // the one allocation behind every block; null while closed
  int32_t outputBlockBytes_ = 0;
  ZR_Wave_Header headers_[2 * kBlocks];
  void* inHandle_ = nullptr;
  void* outHandle_ = nullptr;
  Tag tags_[kBlocks] = {};
  ZR_Rts_Win32_Barrier stopBarrier_;  // made once; taken by free, given back by the handler
  std::atomic<int32_t> handlers_{0};  // handler calls in flight on this device
  unsigned stopWaitMs_ = 10000;
};
