#include "FakeRts.h"

#include <cstdio>

#include "rts/ZR_Rts_format.h"

FakeRts::FakeRts(const char* name, int32_t inputs, int32_t outputs, std::vector<ModeInfo> modes)
    : ZR_Rts(name), inputCount_(inputs), outputCount_(outputs), modeList_(std::move(modes)) {}

FakeRts::~FakeRts() {
  if (currentMode()) ZR_Rts::free();
}

ZR_error FakeRts::init() {
  calls.push_back("init");
  ZR_Rts::init();
  for (const ModeInfo& s : modeList_) modes.insert(new Mode(s.rate, s.bits, s.blockSize, s.channels));
  for (int32_t i = 0; i < inputCount_; ++i) {
    auto* channel = new Chan;
    std::snprintf(channel->name, sizeof channel->name, "In %d", static_cast<int>(i + 1));
    inputs.insert(channel);
  }
  return initResult;
}

ZR_error FakeRts::done() {
  calls.push_back("done");
  ZR_Rts::done();
  return doneResult;
}

ZR_error FakeRts::mode(Mode* m) {
  int32_t index = 0;
  for (ZR_Chain_Item* it = modes.first(); it != modes.end() && it->data != m; it = it->next) ++index;
  calls.push_back("mode " + std::to_string(index));
  if (duringMode) duringMode();
  std::lock_guard<std::mutex> lock(stream_);
  ZR_Rts::mode(m);
  const auto n = static_cast<size_t>(m->blockSize);
  inputBlocks_.assign(static_cast<size_t>(inputCount_), std::vector<float>(n, 0.0f));
  outputBlocks_.assign(static_cast<size_t>(outputCount_), std::vector<float>(n, 0.0f));
  inputs.forEach<Chan>([&](Chan* channel) {
    channel->count = m->blockSize;
    channel->format = ZR_RTS_FORMAT_FLOAT32;
  });
  for (int32_t i = 0; i < outputCount_; ++i) {
    auto* channel = new Chan;
    std::snprintf(channel->name, sizeof channel->name, "Out %d", static_cast<int>(i + 1));
    channel->count = m->blockSize;
    channel->format = ZR_RTS_FORMAT_FLOAT32;
    outputs.insert(channel);
  }
  return modeResult;
}

ZR_error FakeRts::free() {
  calls.push_back("free");
  if (duringFree) duringFree();
  std::lock_guard<std::mutex> lock(stream_);
  ZR_Rts::free();
  return freeResult;
}

ZR_error FakeRts::start() {
  calls.push_back("start");
  return ZR_Rts::start();
}

ZR_error FakeRts::stop() {
  calls.push_back("stop");
  return ZR_Rts::stop();
}

bool FakeRts::deliver(ZR_Rts_callback callback) {
  std::lock_guard<std::mutex> lock(stream_);
  if (!currentMode()) return false;
  size_t k = 0;
  inputs.forEach<Chan>(
      [&](Chan* channel) { channel->buffer = reinterpret_cast<uint8_t*>(inputBlocks_[k++].data()); });
  k = 0;
  outputs.forEach<Chan>(
      [&](Chan* channel) { channel->buffer = reinterpret_cast<uint8_t*>(outputBlocks_[k++].data()); });
  callback();
  return true;
}
