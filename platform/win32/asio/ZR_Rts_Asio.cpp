#include "ZR_Rts_Asio.h"

#include <cstdio>
#include <thread>

#include "ZR_asio.h"
#include "cmd/ZR_error.h"
#include "rts/ZR_Rts_format.h"

ZR_Rts_Class ZR_Rts_Asio::asioClass;
std::atomic<ZR_Rts_Asio*> ZR_Rts_Asio::current_{nullptr};
std::atomic<int32_t> ZR_Rts_Asio::switching_{0};

namespace {

// Failures are reported where users of this framework know them: this path, the procedure, the
// line, and the ASIO call that failed as the text.
constexpr char kReportPath[] = "../../../projects/ZR/ZR/Rts/Asio";
constexpr char kInit[] = "ZR_Rts_Asio::init";
constexpr char kMode[] = "ZR_Rts_Asio::mode";
constexpr char kFree[] = "ZR_Rts_Asio::free";

// The rates offered, in menu order.
constexpr int32_t kRates[] = {48000, 96000, 192000, 44100};

ASIODriverInfo driverInfo = {0, 0, {}, {}, nullptr};

}  // namespace

ZR_error ZR_Rts_Asio::classInit(ZR_Rts_callback callback) {
  asioClass.callback = callback;
  if (!asioDrivers) asioDrivers = new AsioDrivers(ZR_asio_system());
  for (int32_t i = 0; i < asioDrivers->driverCount(); ++i) {
    char name[32];
    if (asioDrivers->driverName(i, name, sizeof name) != 0) continue;
    asioClass.add(new ZR_Rts_Asio(name, i));
  }
  return ZR_OK;
}

void ZR_Rts_Asio::classDone() {
  asioClass.clear();
  ASIOExit();
  delete asioDrivers;
  asioDrivers = nullptr;
}

ZR_Rts_Asio::ZR_Rts_Asio(const char* name, int32_t driverIndex) : ZR_Rts(name), driverIndex_(driverIndex) {}

ZR_Rts_Asio::~ZR_Rts_Asio() {
  if (current_.load() == this) done();
}

ZR_error ZR_Rts_Asio::fail(const char* proc, const char* call, int line) {
  ZR_error_func(kReportPath, line, proc, __DATE__, __TIME__, call);
  return ZR_ERROR_AUDIO;
}

void ZR_Rts_Asio::scanChannels(bool input, int32_t driverCount, ZR_Chain* list, int32_t* infoCount) {
  for (int32_t i = 0; i < driverCount; ++i) {
    ASIOChannelInfo info{};
    info.channel = i;
    info.isInput = input ? 1 : 0;
    if (ASIOGetChannelInfo(&info) != ASE_OK) continue;
    uint32_t format = ZR_Rts_format_asio(info.type);
    if (format == 0) continue;
    Chan* chan = new Chan;
    info.name[sizeof info.name - 1] = 0;
    std::snprintf(chan->name, sizeof chan->name, "%s", info.name);
    chan->format = format;
    chan->count = preferred_;
    chan->index = i;
    list->insert(chan);
    if (infoCount) infos_[(*infoCount)++] = ASIOBufferInfo{input ? 1 : 0, i, {nullptr, nullptr}};
  }
}

ZR_error ZR_Rts_Asio::init() {
  ZR_error base = ZR_Rts::init();
  if (base != ZR_OK) return base;
  // By index: two drivers may carry the same name.
  loadAsioDriver(driverIndex_);
  if (ASIOInit(&driverInfo) != ASE_OK) return fail(kInit, "ASIOInit", 185);
  if (ASIOGetChannels(&driverInputs_, &driverOutputs_) != ASE_OK) return fail(kInit, "ASIOGetChannels", 190);
  auto limit = [](int32_t count) { return count < 0 ? 0 : count > kMaxChannels ? kMaxChannels : count; };
  driverInputs_ = limit(driverInputs_);
  driverOutputs_ = limit(driverOutputs_);
  // Every block has the preferred size; one outside what the driver itself allows is no size.
  if (ASIOGetBufferSize(&minSize_, &maxSize_, &preferred_, &granularity_) != ASE_OK || preferred_ < 1 ||
      preferred_ < minSize_ || preferred_ > maxSize_) {
    return fail(kInit, "ASIOGetBufferSize", 197);
  }
  scanChannels(true, driverInputs_, &inputs, nullptr);
  inputCount_ = inputs.count;
  // The modes name the input channels the device really offers.
  for (int32_t rate : kRates) {
    if (ASIOCanSampleRate(rate) == ASE_OK) modes.insert(new Mode(rate, 32, preferred_, inputCount_));
  }
  current_.store(this);
  return ZR_OK;
}

ZR_error ZR_Rts_Asio::done() {
  if (currentMode()) free();
  if (current_.load() == this) current_.store(nullptr);
  waitForSwitches();
  ZR_error result = ZR_Rts::done();
  ASIOExit();
  return result;
}

ZR_error ZR_Rts_Asio::mode(Mode* m) {
  if (!m) return ZR_ERROR_PARAM_REQUIRED;
  if (currentMode()) free();
  ZR_Rts::mode(m);
  if (ASIOSetSampleRate(m->rate) != ASE_OK) return fail(kMode, "ASIOSetSampleRate", 242);
  int32_t count = 0;
  inputs.forEach<Chan>([&](Chan* chan) {
    infos_[count++] = ASIOBufferInfo{1, chan->index, {nullptr, nullptr}};
  });
  // Always over the driver's own outputs: the accepted count of the last mode is no limit.
  scanChannels(false, driverOutputs_, &outputs, &count);
  outputCount_ = outputs.count;
  callbacks_ = ASIOCallbacks{&bufferSwitch, &sampleRateDidChange, &asioMessage, &bufferSwitchTimeInfo};
  // Buffers left by a mode that failed after creating them go first.
  if (buffersCreated_) ASIODisposeBuffers();
  buffersCreated_ = false;
  if (ASIOCreateBuffers(infos_, count, preferred_, &callbacks_) != ASE_OK) {
    return fail(kMode, "ASIOCreateBuffers", 291);
  }
  buffersCreated_ = true;
  if (ASIOStart() != ASE_OK) return fail(kMode, "ASIOStart", 296);
  return ZR_OK;
}

ZR_error ZR_Rts_Asio::free() {
  // The driver stops first, so that no block goes out unwritten (it would repeat a stale one);
  // then a switch that a driver still makes sees no mode, and none is left walking the channels.
  bool stopped = ASIOStop() == ASE_OK;
  setCurrentMode(nullptr);
  waitForSwitches();
  deleteOutputs();
  outputCount_ = 0;
  if (buffersCreated_) ASIODisposeBuffers();
  buffersCreated_ = false;
  return stopped ? ZR_OK : fail(kFree, "ASIOStop", 309);
}

void ZR_Rts_Asio::waitForSwitches() {
  while (switching_.load() != 0) std::this_thread::yield();
}

void ZR_Rts_Asio::bufferSwitch(int32_t doubleBufferIndex, ASIOBool) {
  // Counted before the checks, so that free, which clears the mode first, can wait for this call.
  switching_.fetch_add(1);
  ZR_Rts_Asio* device = current_.load();
  if (device && device->currentMode() && (doubleBufferIndex == 0 || doubleBufferIndex == 1)) {
    const ASIOBufferInfo* info = device->infos_;
    device->inputs.forEach<Chan>(
        [&](Chan* chan) { chan->buffer = static_cast<uint8_t*>((info++)->buffers[doubleBufferIndex]); });
    device->outputs.forEach<Chan>(
        [&](Chan* chan) { chan->buffer = static_cast<uint8_t*>((info++)->buffers[doubleBufferIndex]); });
    if (ZR_Rts_callback callback = asioClass.callback.load()) callback();
  }
  switching_.fetch_sub(1);
}

ASIOTime* ZR_Rts_Asio::bufferSwitchTimeInfo(ASIOTime*, int32_t doubleBufferIndex, ASIOBool directProcess) {
  bufferSwitch(doubleBufferIndex, directProcess);
  return nullptr;
}

void ZR_Rts_Asio::sampleRateDidChange(ASIOSampleRate) {}

int32_t ZR_Rts_Asio::asioMessage(int32_t selector, int32_t value, void*, double*) {
  // Only what the host does is answered yes: it knows the protocol version, needs nothing when the
  // latencies change, and handles blocks from the time-info switch. It does not reset, resync, read
  // time code or monitor inputs on request.
  switch (selector) {
    case kAsioSelectorSupported:
      return value == kAsioEngineVersion || value == kAsioLatenciesChanged || value == kAsioSupportsTimeInfo;
    case kAsioEngineVersion:
      return 2;
    case kAsioLatenciesChanged:
    case kAsioSupportsTimeInfo:
      return 1;
    default:
      return 0;
  }
}
