#pragma once
// A sound device for the host's tests: scripted modes, inputs and outputs of 32-bit floats, one
// buffer per channel, scripted results, and a block delivered when the test says so, on the
// test's chosen thread, the way a device's handler does it.
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "rts/ZR_Rts.h"

class FakeRts : public ZR_Rts {
 public:
  struct ModeInfo {
    int32_t rate, bits, blockSize, channels;
  };

  FakeRts(const char* name, int32_t inputs, int32_t outputs, std::vector<ModeInfo> modes);
  ~FakeRts() override;

  ZR_error init() override;
  ZR_error done() override;
  ZR_error mode(Mode* m) override;
  ZR_error free() override;
  ZR_error start() override;
  ZR_error stop() override;

  /// While a mode is open: points every channel at its block and calls callback once, as the
  /// device's own thread would. False (nothing called) while closed. [any thread]
  bool deliver(ZR_Rts_callback callback);

  /// The samples of input channel i for the next blocks; the last output block of channel i.
  /// [between blocks]
  std::vector<float>& input(int32_t i) { return inputBlocks_.at(static_cast<size_t>(i)); }
  const std::vector<float>& output(int32_t i) const { return outputBlocks_.at(static_cast<size_t>(i)); }

  // Scripted results of the operations (after the base's work), and what happened.
  ZR_error initResult = ZR_OK, doneResult = ZR_OK, modeResult = ZR_OK, freeResult = ZR_OK;
  /// Run inside mode and free before the device changes anything (a block delivered there comes on
  /// the caller's thread, as Wine delivers a wave input's buffers while it is reset).
  std::function<void()> duringMode, duringFree;
  std::vector<std::string> calls;  // "init", "mode 2", "free", "done", ... [window thread]

 private:
  int32_t inputCount_, outputCount_;
  std::vector<ModeInfo> modeList_;
  std::mutex stream_;  // keeps a delivered block and the channel lists apart, as a device's barrier does
  std::vector<std::vector<float>> inputBlocks_, outputBlocks_;
};
