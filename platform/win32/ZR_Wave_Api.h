#pragma once
#include <cstdint>

/// A wave header laid out field for field like the platform's WAVEHDR, so that the system can own
/// it while it is queued (the Windows layer checks the layout).
struct ZR_Wave_Header {
  char* data = nullptr;
  uint32_t length = 0;
  uint32_t recorded = 0;
  uintptr_t user = 0;
  uint32_t flags = 0;  // written by the system while queued: read it through std::atomic_ref
  uint32_t loops = 0;
  ZR_Wave_Header* next = nullptr;
  uintptr_t reserved = 0;
};

/// The PCM fields of the platform's WAVEFORMATEX.
struct ZR_Wave_Format {
  uint16_t channels = 0;
  uint32_t rate = 0;
  uint32_t bytesPerSecond = 0;
  uint16_t blockAlign = 0;
  uint16_t bits = 0;
};

/// The part of the system's wave audio that the wave device uses, on the first input and the
/// first output device. Each call returns true on success. The Windows layer implements it with
/// winmm; tests script it.
class ZR_Wave_Api {
 public:
  /// The system's input callback reduced to what the device reads: the message and, for a data
  /// message, the returned header. [system's callback thread]
  typedef void (*Handler)(uint32_t message, uintptr_t param1);

  static constexpr uint32_t kInputData = 0x3C0;  // WIM_DATA: a recorded block came back
  static constexpr uint32_t kDone = 0x1;         // header flags: the system is done with the block
  static constexpr uint32_t kLoop = 0xC;         // header flags: begin and end of a one-block loop

  virtual ~ZR_Wave_Api() = default;

  /// handler null: only asks whether the format opens (no callback).
  virtual bool inOpen(void** handle, const ZR_Wave_Format& format, Handler handler) = 0;
  virtual bool inClose(void* handle) = 0;
  virtual bool inPrepare(void* handle, ZR_Wave_Header* header) = 0;
  virtual bool inAdd(void* handle, ZR_Wave_Header* header) = 0;
  virtual bool inStart(void* handle) = 0;
  virtual bool inStop(void* handle) = 0;
  /// Stops recording and returns every queued block (each with a data message).
  virtual bool inReset(void* handle) = 0;
  /// streaming false: only asks whether the format opens (no callback).
  virtual bool outOpen(void** handle, const ZR_Wave_Format& format, bool streaming) = 0;
  virtual bool outClose(void* handle) = 0;
  virtual bool outPrepare(void* handle, ZR_Wave_Header* header) = 0;
  virtual bool outWrite(void* handle, ZR_Wave_Header* header) = 0;
  virtual bool outReset(void* handle) = 0;
  /// Waits between retries of a failing step. [client thread] Blocks.
  virtual void sleep(unsigned ms) = 0;

  /// The system's own (winmm); defined by the Windows build only.
  static ZR_Wave_Api& system();
};
