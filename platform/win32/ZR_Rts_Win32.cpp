#include "win32/ZR_Rts_Win32.h"

#include <cstdio>
#include <cstring>
#include <new>
#include <thread>

#include "rts/ZR_Rts_format.h"

namespace {

ZR_Rts_Class gClass;
std::atomic<ZR_Rts_Win32*> gCurrentDevice{nullptr};  // set by init; the handler ignores all else
std::atomic<uint32_t> gStopMask{0};                  // one bit per input block home after the stop

constexpr uint32_t kAllHome = (1u << ZR_Rts_Win32::kBlocks) - 1;
constexpr int32_t kProbeBits[] = {32, 24, 16};
constexpr int32_t kProbeRates[] = {48000, 96000, 192000, 44100};
constexpr int32_t kProbeOutputChannels[] = {4, 2};
const char* const kInputNames[] = {"Left", "Right"};
const char* const kOutputNames[] = {"Left front", "Right front", "Left back", "Right back"};
constexpr int kRetries = 10;
constexpr unsigned kRetrySleepMs = 500;

ZR_Wave_Format pcm(int32_t rate, int32_t bits, int32_t channels) {
  ZR_Wave_Format f;
  f.channels = static_cast<uint16_t>(channels);
  f.rate = static_cast<uint32_t>(rate);
  f.bits = static_cast<uint16_t>(bits);
  f.blockAlign = static_cast<uint16_t>(bits / 8 * channels);
  f.bytesPerSecond = static_cast<uint32_t>(rate) * f.blockAlign;
  return f;
}

void appendChannel(ZR_Chain& list, const char* name) {
  ZR_Rts::Chan* c = new ZR_Rts::Chan;
  std::snprintf(c->name, sizeof c->name, "%s", name);
  list.insert(c);
}

uint32_t flagsOf(ZR_Wave_Header& h) {
  return std::atomic_ref<uint32_t>(h.flags).load(std::memory_order_acquire);
}

void setFlags(ZR_Wave_Header& h, uint32_t flags) {
  std::atomic_ref<uint32_t>(h.flags).store(flags, std::memory_order_release);
}

}  // namespace

bool ZR_Rts_Win32::layout(int32_t rate, int32_t bits, int32_t outputChannels, Layout* out) {
  if (rate < 100 || rate % 100 != 0 || rate > 1000000) return false;
  if (bits < 8 || bits > 32 || bits % 8 != 0) return false;
  if (outputChannels < 1 || outputChannels > 4) return false;
  const int32_t frames = rate / 100;
  const int32_t channelBytes = bits / 8 * frames;
  *out = {frames, channelBytes, outputChannels * channelBytes, 2 * channelBytes,
          kBlocks * channelBytes * (outputChannels + 2)};
  return true;
}

ZR_Rts_Win32::ZR_Rts_Win32(ZR_Wave_Api& api) : ZR_Rts("Windows"), api_(api) { initHeaders(); }

ZR_Rts_Win32::~ZR_Rts_Win32() {
  free();
  ZR_Rts_Win32* self = this;
  gCurrentDevice.compare_exchange_strong(self, nullptr);
}

void ZR_Rts_Win32::initHeaders() {
  for (int i = 0; i < kBlocks; ++i) {
    tags_[i] = {this, i};
    for (int half = 0; half < 2; ++half) {
      ZR_Wave_Header& h = headers_[half * kBlocks + i];
      h = ZR_Wave_Header();
      h.user = reinterpret_cast<uintptr_t>(&tags_[i]);
      h.flags = ZR_Wave_Api::kDone;
      h.loops = half;  // output headers play their block once
    }
  }
}

ZR_error ZR_Rts_Win32::init() {
  ZR_error e = ZR_Rts::init();
  if (e != ZR_OK) return e;
  for (int32_t bits : kProbeBits) {
    for (int32_t rate : kProbeRates) {
      void* handle = nullptr;
      if (!api_.inOpen(&handle, pcm(rate, bits, 2), nullptr)) continue;
      api_.inClose(handle);
      for (int32_t c : kProbeOutputChannels) {
        if (!api_.outOpen(&handle, pcm(rate, bits, c), false)) continue;
        api_.outClose(handle);
        modes.insert(new Mode(rate, bits, rate / 100, c));
      }
    }
  }
  for (const char* name : kInputNames) appendChannel(inputs, name);
  gCurrentDevice.store(this);
  return ZR_OK;
}

ZR_error ZR_Rts_Win32::done() {
  free();
  return ZR_Rts::done();
}

ZR_error ZR_Rts_Win32::mode(Mode* m) {
  if (!m) return ZR_ERROR_PARAM_REQUIRED;
  Layout l;
  if (block_ || inHandle_ || outHandle_ || !layout(m->rate, m->bits, m->channels, &l))
    return ZR_ERROR_AUDIO_CANNOT_OPEN;
  ZR_Rts::mode(m);
  inHandle_ = nullptr;
  outHandle_ = nullptr;
  if (!api_.inOpen(&inHandle_, pcm(m->rate, m->bits, 2), &ZR_Rts_Win32::waveInHandler)) {
    inHandle_ = nullptr;
    return undoMode(ZR_ERROR_AUDIO_CANNOT_OPEN);
  }
  if (!api_.outOpen(&outHandle_, pcm(m->rate, m->bits, m->channels), true)) {
    outHandle_ = nullptr;
    return undoMode(ZR_ERROR_AUDIO_CANNOT_OPEN);
  }
  // The sixteen blocks, then the scratch block that stands in when no output block is free.
  block_ = new (std::nothrow) uint8_t[l.blockBytes + l.outputBlockBytes]();
  if (!block_) return undoMode(ZR_ERROR_MEMORY_CANNOT_ALLOCATE);
  for (int i = 0; i < kBlocks; ++i) {
    output_[i] = block_ + i * l.outputBlockBytes;
    input_[i] = block_ + kBlocks * l.outputBlockBytes + i * l.inputBlockBytes;
  }
  scratch_ = block_ + l.blockBytes;
  outputBlockBytes_ = l.outputBlockBytes;
  initHeaders();

  inputs.forEach<Chan>([&](Chan* c) {
    c->format = ZR_Rts_format_interleaved(m->bits, 2);
    c->count = l.frames;
  });
  for (int32_t k = 0; k < m->channels; ++k) {
    appendChannel(outputs, kOutputNames[k]);
    Chan* c = static_cast<Chan*>(outputs.last()->data);
    c->format = ZR_Rts_format_interleaved(m->bits, m->channels);
    c->count = l.frames;
  }
  for (int i = 0; i < kBlocks; ++i) {
    ZR_Wave_Header& in = headers_[i];
    in.data = reinterpret_cast<char*>(input_[i]);
    in.length = static_cast<uint32_t>(l.inputBlockBytes);
    if (!api_.inPrepare(inHandle_, &in) || !api_.inAdd(inHandle_, &in)) return undoMode(ZR_ERROR_AUDIO);
    ZR_Wave_Header& out = headers_[kBlocks + i];
    out.data = reinterpret_cast<char*>(output_[i]);
    out.length = static_cast<uint32_t>(l.outputBlockBytes);
  }
  if (!api_.inStart(inHandle_)) return undoMode(ZR_ERROR_AUDIO);
  return ZR_OK;
}

// A failed open leaves nothing behind: the handler sees the device closed, the system returns
// every queued block before the handles close, and only then is the memory released.
ZR_error ZR_Rts_Win32::undoMode(ZR_error code) {
  setCurrentMode(nullptr);
  if (inHandle_) {
    api_.inReset(inHandle_);
    api_.inClose(inHandle_);
    inHandle_ = nullptr;
  }
  if (outHandle_) {
    api_.outReset(outHandle_);
    api_.outClose(outHandle_);
    outHandle_ = nullptr;
  }
  waitForHandlers();
  deleteOutputs();
  releaseBlock();
  return code;
}

void ZR_Rts_Win32::releaseBlock() {
  inputs.forEach<Chan>([](Chan* c) { c->buffer = nullptr; });
  delete[] block_;
  block_ = nullptr;
  scratch_ = nullptr;
  for (int i = 0; i < kBlocks; ++i) output_[i] = input_[i] = nullptr;
}

void ZR_Rts_Win32::waitForHandlers() const {
  while (handlers_.load() != 0) std::this_thread::yield();
}

ZR_error ZR_Rts_Win32::free() {
  if (!block_ && !inHandle_ && !outHandle_) return ZR_Rts::free();
  // A free that failed before left the device stopped already; it only retries the closing.
  if (currentMode()) {
    gStopMask.store(0);
    stopBarrier_.take(stopWaitMs_);
    setCurrentMode(nullptr);
    // Every input block comes home within eight blocks once the handler stops re-adding them; an
    // input that has stalled is reset instead, which returns whatever is still queued.
    if (!stopBarrier_.take(stopWaitMs_)) {
      api_.inReset(inHandle_);
      stopBarrier_.take(stopWaitMs_);
    }
    stopBarrier_.give();
  }
  // A handler that saw the mode just before it was cleared may still be in the client callback.
  waitForHandlers();
  deleteOutputs();

  struct Step {
    bool (ZR_Wave_Api::*call)(void*);
    void* ZR_Rts_Win32::*handle;
    ZR_error failure;
  };
  static constexpr Step kSteps[] = {
      {&ZR_Wave_Api::inStop, &ZR_Rts_Win32::inHandle_, ZR_ERROR_AUDIO_CANNOT_INPUT_STOP},
      {&ZR_Wave_Api::outReset, &ZR_Rts_Win32::outHandle_, ZR_ERROR_AUDIO_CANNOT_OUTPUT_RESET},
      {&ZR_Wave_Api::inClose, &ZR_Rts_Win32::inHandle_, ZR_ERROR_AUDIO_CANNOT_INPUT_CLOSE},
      {&ZR_Wave_Api::outClose, &ZR_Rts_Win32::outHandle_, ZR_ERROR_AUDIO_CANNOT_OUTPUT_CLOSE},
  };
  for (const Step& step : kSteps) {
    int tries = 0;
    while (!(api_.*step.call)(this->*step.handle)) {
      api_.sleep(kRetrySleepMs);
      if (++tries == kRetries) return step.failure;
    }
  }
  inHandle_ = nullptr;
  outHandle_ = nullptr;
  waitForHandlers();
  releaseBlock();
  return ZR_OK;
}

void ZR_Rts_Win32::waveInHandler(uint32_t message, uintptr_t param1) {
  if (message != ZR_Wave_Api::kInputData || !gCurrentDevice.load() || !param1) return;
  ZR_Wave_Header* header = reinterpret_cast<ZR_Wave_Header*>(param1);
  const Tag* tag = reinterpret_cast<const Tag*>(header->user);
  ZR_Rts_Win32* device = tag->device;
  const int index = tag->index;
  device->handlers_.fetch_add(1);
  if (const Mode* m = device->currentMode()) {
    device->runBlock(index, m);
  } else {
    const uint32_t bit = 1u << index;
    if ((gStopMask.fetch_or(bit) | bit) == kAllHome) device->stopBarrier_.give();
  }
  device->handlers_.fetch_sub(1);
}

void ZR_Rts_Win32::runBlock(int index, const Mode* m) {
  const int32_t bytes = m->bits / 8;
  api_.inAdd(inHandle_, &headers_[index]);
  int32_t k = 0;
  inputs.forEach<Chan>([&](Chan* c) { c->buffer = input_[index] + k++ * bytes; });

  int freeCount = 0, first = -1, second = -1;
  for (int j = 0; j < kBlocks; ++j) {
    if (!(flagsOf(headers_[kBlocks + j]) & ZR_Wave_Api::kDone)) continue;
    if (first < 0)
      first = j;
    else if (second < 0)
      second = j;
    ++freeCount;
  }
  uint8_t* out = first >= 0 ? output_[first] : scratch_;
  k = 0;
  outputs.forEach<Chan>([&](Chan* c) { c->buffer = out + k++ * bytes; });

  if (ZR_Rts_callback callback = gClass.callback.load()) callback();

  // Queue the new block only while at least two are free, so at most seven (70 ms) are ever
  // queued; when the queue has run low, add a block of silence to refill it.
  if (freeCount < 2) return;
  queueOutput(first);
  if (freeCount >= 6) {
    std::memset(output_[second], 0, static_cast<size_t>(outputBlockBytes_));
    queueOutput(second);
  }
}

void ZR_Rts_Win32::queueOutput(int j) {
  ZR_Wave_Header& h = headers_[kBlocks + j];
  setFlags(h, ZR_Wave_Api::kLoop);
  h.loops = 1;
  api_.outPrepare(outHandle_, &h);
  api_.outWrite(outHandle_, &h);
}

ZR_error ZR_Rts_Win32::classInit(ZR_Rts_callback callback, ZR_Wave_Api& api) {
  gClass.callback.store(callback);
  ZR_Rts_Win32* device = new (std::nothrow) ZR_Rts_Win32(api);
  if (!device) return ZR_ERROR_MEMORY_CANNOT_ALLOCATE;
  gClass.add(device);
  return ZR_OK;
}

void ZR_Rts_Win32::classDone() { gClass.clear(); }

ZR_Rts_Class& ZR_Rts_Win32::deviceClass() { return gClass; }
