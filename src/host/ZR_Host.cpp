#include "host/ZR_Host.h"

#include <atomic>
#include <cstdio>
#include <cstring>
#include <new>

#include "host/ZR_Host_callback.h"
#include "rts/ZR_Rts_format.h"

namespace {

std::atomic<ZR_Host*> activeHost{nullptr};

constexpr unsigned kCommandWaitMs = 1000;
// Shutdown waits longer: a block in flight ends in milliseconds, and closing without the lock could
// free an instance under a block that still runs.
constexpr unsigned kShutdownWaitMs = 10000;

// Failures the user must see go to the error box, naming this source and the procedure.
ZR_error report(const char* proc, int line, ZR_error code) {
  ZR_error_func("host", line, proc, __DATE__, __TIME__, code);
  return code;
}
#define ZR_HOST_REPORT(proc, code) report(proc, __LINE__, code)

}  // namespace

ZR_Host::Instance::~Instance() {
  if (effect) effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
}

ZR_Host::ZR_Host(ZR_Host_Window& window, Entry entry) : window_(window), entry_(entry) {
  hostChannel_.format = ZR_RTS_FORMAT_FLOAT32;
  activeHost.store(this);
}

ZR_Host::~ZR_Host() {
  shutdown();
  ZR_Host* self = this;
  activeHost.compare_exchange_strong(self, nullptr);
}

void ZR_Host::listDevices(const ZR_Chain& devices) {
  for (ZR_Chain_Item* it = devices.first(); it != devices.end() && deviceCount_ < kTableSize; it = it->next) {
    ZR_Rts* device = static_cast<ZR_Rts*>(it->data);
    window_.insertEntry(ZR_Host_Window::kAudio, deviceCount_, device->name(),
                        static_cast<uint16_t>(kSelectDevice + deviceCount_), device);
    devices_[deviceCount_++] = device;
  }
  if (deviceCount_ > 0)
    command(kSelectDevice);
  else
    ZR_HOST_REPORT("WinMain", "No audio drivers found");
}

ZR_error ZR_Host::command(uint32_t id) {
  const uint32_t kind = id & 0xF000u;
  const uint32_t index = id & 0x0FFFu;
  if (id > 0xFFFFu) return nullptr;
  if (kind == kHelp) {
    if (index != 0 || closed_) return nullptr;
    window_.openHelp();  // no lock: it touches nothing the audio callback reads
    return ZR_OK;
  }
  if (!lock_.lock(kCommandWaitMs)) return nullptr;
  // The lock is recursive: a command that arrives while an error report of another one shows its
  // box on this thread gets it too, and must not change the state under the command that waits.
  if (busy_ || closed_) {
    lock_.unlock();
    return nullptr;
  }
  busy_ = true;
  ZR_error result = run(kind, index);
  busy_ = false;
  lock_.unlock();
  return result;
}

ZR_error ZR_Host::run(uint32_t kind, uint32_t index) {
  const auto i = static_cast<int32_t>(index);
  switch (kind) {
    case kSelectDevice:
      return i < deviceCount_ ? selectDevice(i) : nullptr;
    case kSelectMode:
      return i < modeCount_ ? selectMode(i) : nullptr;
    case kAddInstance:
      return i == 0 ? addInstance() : nullptr;
    case kDeleteInstance:
      return i == 0 ? deleteInstance() : nullptr;
    case kSelectInstance:
      return i < instanceCount_ ? selectInstance(i) : nullptr;
    case kConnectInput:
      return i < inputCount_ ? connectInput(i) : nullptr;
    default:
      return nullptr;
  }
}

ZR_error ZR_Host::selectDevice(int32_t i) {
  if (currentDevice_ >= 0) {
    ZR_Rts* old = devices_[currentDevice_];
    if (old->running()) {
      if (ZR_error r = old->stop(); r != ZR_OK) return ZR_HOST_REPORT("menu_driver", r);
    }
    if (currentMode_ >= 0) {
      if (ZR_error r = old->free(); r != ZR_OK) return ZR_HOST_REPORT("menu_driver", r);
      window_.checkEntry(ZR_Host_Window::kMode, currentMode_, false);
      currentMode_ = -1;
    }
    window_.checkEntry(ZR_Host_Window::kAudio, currentDevice_, false);
    clearDeviceMenus();
    if (ZR_error r = old->done(); r != ZR_OK) return ZR_HOST_REPORT("menu_driver", r);
    // Finished: whatever follows, this device is not finished a second time.
    currentDevice_ = -1;
  }

  ZR_Rts* device = devices_[i];
  if (ZR_error r = device->init(); r != ZR_OK) {
    device->done();  // forget what a half-done init listed; the next init starts from nothing
    relabel();       // no device: every instance shows "Unconnected" and keeps its input for the next one
    return ZR_HOST_REPORT("menu_driver", r);
  }
  window_.checkEntry(ZR_Host_Window::kAudio, i, true);
  currentDevice_ = i;

  for (ZR_Chain_Item* it = device->modes.first(); it != device->modes.end() && modeCount_ < kTableSize;
       it = it->next) {
    auto* mode = static_cast<ZR_Rts::Mode*>(it->data);
    window_.insertEntry(ZR_Host_Window::kMode, modeCount_, mode->text,
                        static_cast<uint16_t>(kSelectMode + modeCount_), mode);
    modes_[modeCount_++] = mode;
  }
  for (ZR_Chain_Item* it = device->inputs.first(); it != device->inputs.end() && inputCount_ < kTableSize;
       it = it->next) {
    auto* channel = static_cast<ZR_Rts::Chan*>(it->data);
    window_.insertEntry(ZR_Host_Window::kInput, inputCount_, channel->name,
                        static_cast<uint16_t>(kConnectInput + inputCount_), channel);
    inputs_[inputCount_++] = {channel, 0};
  }
  for (int32_t k = 0; k < instanceCount_; ++k)
    if (instances_[k]->input >= inputCount_) instances_[k]->input = -1;
  relabel();
  recount();
  if (currentInstance_ >= 0 && connected(*instances_[currentInstance_]))
    window_.checkEntry(ZR_Host_Window::kInput, instances_[currentInstance_]->input, true);

  return modeCount_ > 0 ? selectMode(0) : ZR_OK;
}

ZR_error ZR_Host::selectMode(int32_t i) {
  ZR_Rts* device = devices_[currentDevice_];
  if (currentMode_ >= 0) {
    if (ZR_error r = device->free(); r != ZR_OK) return ZR_HOST_REPORT("menu_mode", r);
    window_.checkEntry(ZR_Host_Window::kMode, currentMode_, false);
    currentMode_ = -1;
  }

  ZR_Rts::Mode* mode = modes_[i];
  const int32_t n = mode->blockSize > 0 ? mode->blockSize : 0;
  float* work = new (std::nothrow) float[static_cast<size_t>(n) * 5 + 1]();
  if (!work) return ZR_HOST_REPORT("menu_mode", ZR_ERROR_MEMORY_CANNOT_ALLOCATE);
  delete[] work_;
  work_ = work;
  hostChannel_.count = n;

  if (ZR_error r = device->mode(mode); r != ZR_OK) {
    // A device that kept the failed mode would be opened twice by the next selection.
    if (device->currentMode()) device->free();
    return ZR_HOST_REPORT("menu_mode", r);
  }
  for (int32_t k = 0; k < instanceCount_; ++k)
    dispatch(*instances_[k], effSetSampleRate, nullptr, static_cast<float>(mode->rate));
  window_.checkEntry(ZR_Host_Window::kMode, i, true);
  currentMode_ = i;
  return ZR_OK;
}

ZR_error ZR_Host::addInstance() {
  if (instanceCount_ >= kTableSize || !entry_) return nullptr;
  auto* instance = new Instance;
  instance->effect = entry_(ZR_host_callback);
  if (!instance->effect) {
    delete instance;
    return nullptr;
  }
  const int32_t i = instanceCount_;
  instances_[instanceCount_++] = instance;
  if (currentMode_ >= 0)
    dispatch(*instance, effSetSampleRate, nullptr, static_cast<float>(modes_[currentMode_]->rate));
  if (currentDevice_ >= 0) {
    for (int32_t j = 0; j < inputCount_; ++j) {
      if (inputs_[j].uses == 0) {
        instance->input = j;
        ++inputs_[j].uses;
        break;
      }
    }
  }
  label(i);
  window_.insertEntry(ZR_Host_Window::kChannel, i, instance->label,
                      static_cast<uint16_t>(kSelectInstance + i), instance);
  selectInstance(i);
  if (instanceCount_ >= 2) window_.enableCommand(kDeleteInstance, true);
  if (instanceCount_ >= kTableSize) window_.enableCommand(kAddInstance, false);
  return ZR_OK;
}

ZR_error ZR_Host::deleteInstance() {
  if (instanceCount_ < 2 || currentInstance_ < 0) return nullptr;
  const int32_t c = currentInstance_;
  selectInstance(c == 0 ? 1 : 0);
  window_.removeEntry(ZR_Host_Window::kChannel, c);
  Instance* gone = instances_[c];
  if (connected(*gone)) --inputs_[gone->input].uses;
  delete gone;
  for (int32_t k = c; k + 1 < instanceCount_; ++k) {
    instances_[k] = instances_[k + 1];
    label(k);
    window_.setEntry(ZR_Host_Window::kChannel, k, instances_[k]->label,
                     static_cast<uint16_t>(kSelectInstance + k));
  }
  instances_[--instanceCount_] = nullptr;
  currentInstance_ = 0;
  if (instanceCount_ < 2) window_.enableCommand(kDeleteInstance, false);
  window_.enableCommand(kAddInstance, true);
  return ZR_OK;
}

ZR_error ZR_Host::selectInstance(int32_t i) {
  if (currentInstance_ >= 0) {
    Instance& old = *instances_[currentInstance_];
    window_.checkEntry(ZR_Host_Window::kChannel, currentInstance_, false);
    dispatch(old, effEditClose, window_.effectWindow());
    if (connected(old)) window_.checkEntry(ZR_Host_Window::kInput, old.input, false);
  }
  Instance& instance = *instances_[i];
  window_.checkEntry(ZR_Host_Window::kChannel, i, true);
  if (connected(instance)) window_.checkEntry(ZR_Host_Window::kInput, instance.input, true);
  dispatch(instance, effEditOpen, window_.effectWindow());
  currentInstance_ = i;
  return ZR_OK;
}

ZR_error ZR_Host::connectInput(int32_t i) {
  if (currentInstance_ < 0) return nullptr;
  Instance& instance = *instances_[currentInstance_];
  if (connected(instance)) {
    window_.checkEntry(ZR_Host_Window::kInput, instance.input, false);
    --inputs_[instance.input].uses;
  }
  window_.checkEntry(ZR_Host_Window::kInput, i, true);
  ++inputs_[i].uses;
  instance.input = i;
  label(currentInstance_);
  window_.setEntry(ZR_Host_Window::kChannel, currentInstance_, instance.label,
                   static_cast<uint16_t>(kSelectInstance + currentInstance_));
  return ZR_OK;
}

ERect ZR_Host::editorRect() {
  ERect* rect = nullptr;
  if (instanceCount_ > 0) dispatch(*instances_[0], effEditGetRect, &rect);
  if (rect) return *rect;
  ZR_HOST_REPORT("WinMain", "Cannot get metrics of effect editor");
  return {0, 0, 800, 600};
}

bool ZR_Host::productString(char* text) {
  if (instanceCount_ == 0) return false;
  dispatch(*instances_[0], effGetProductString, text);
  return true;
}

bool ZR_Host::shutdown() {
  if (closed_) return true;
  const bool locked = lock_.lock(kShutdownWaitMs);
  if (locked && busy_) {
    lock_.unlock();
    return false;
  }
  busy_ = true;  // a block the device delivers on this thread meanwhile is skipped
  if (currentDevice_ >= 0) {
    ZR_Rts* device = devices_[currentDevice_];
    if (currentMode_ >= 0) device->free();
    device->done();
    clearDeviceMenus();
    currentDevice_ = -1;
    currentMode_ = -1;
  }
  for (int32_t k = 0; k < instanceCount_; ++k) {
    delete instances_[k];
    instances_[k] = nullptr;
  }
  instanceCount_ = 0;
  currentInstance_ = -1;
  deviceCount_ = 0;  // the device classes delete them next
  delete[] work_;
  work_ = nullptr;
  closed_ = true;
  busy_ = false;
  if (locked) lock_.unlock();
  return true;
}

void ZR_Host::audioBlock() {
  if (!lock_.lock(0)) return;
  // busy_: the device delivers a block on the thread of a command that holds the lock (Wine does
  // while it resets a wave input), and the state is half changed.
  if (busy_ || !work_) {
    lock_.unlock();
    return;
  }
  const int32_t n = hostChannel_.count;
  float* input = work_;
  float* outputs[2] = {work_ + n, work_ + 2 * n};
  float* mix[2] = {work_ + 3 * n, work_ + 4 * n};

  // The first instance that runs writes straight into the mix (the sum of it and silence), the
  // others into their own blocks, which are then added: one pass less for the common single rack.
  bool mixed = false;
  for (int32_t i = 0; i < instanceCount_; ++i) {
    const Instance& instance = *instances_[i];
    if (!connected(instance) || !inputs_[instance.input].channel->buffer) continue;
    hostChannel_.buffer = reinterpret_cast<uint8_t*>(input);
    ZR_Rts::copyBuffer(&hostChannel_, inputs_[instance.input].channel);
    float* inputs[1] = {input};
    instance.effect->processReplacing(instance.effect, inputs, mixed ? outputs : mix, n);
    if (mixed) {
      for (int32_t k = 0; k < n; ++k) {
        mix[0][k] += outputs[0][k];
        mix[1][k] += outputs[1][k];
      }
    }
    mixed = true;
  }
  if (!mixed)
    for (int32_t k = 0; k < 2 * n; ++k) mix[0][k] = 0.0f;

  if (currentDevice_ >= 0) {
    const ZR_Chain& deviceOutputs = devices_[currentDevice_]->outputs;
    int32_t k = 0;
    for (ZR_Chain_Item* it = deviceOutputs.first(); it != deviceOutputs.end() && k < 2; it = it->next, ++k) {
      hostChannel_.buffer = reinterpret_cast<uint8_t*>(mix[k]);
      ZR_Rts::copyBuffer(static_cast<ZR_Rts::Chan*>(it->data), &hostChannel_);
    }
  }
  lock_.unlock();
}

void ZR_Host::audioCallback() {
  if (ZR_Host* host = activeHost.load()) host->audioBlock();
}

void ZR_Host::clearDeviceMenus() {
  for (; modeCount_ > 0; --modeCount_) window_.removeEntry(ZR_Host_Window::kMode, 0);
  for (; inputCount_ > 0; --inputCount_) {
    window_.removeEntry(ZR_Host_Window::kInput, 0);
    inputs_[inputCount_ - 1] = {};
  }
}

void ZR_Host::label(int32_t i) {
  Instance& instance = *instances_[i];
  // A long channel name is cut at the label's 63 characters.
  const int length =
      std::snprintf(instance.label, sizeof instance.label, "%d. %s", static_cast<int>(i + 1),
                    connected(instance) ? inputs_[instance.input].channel->name : "Unconnected");
  if (length < 0) instance.label[0] = '\0';
}

void ZR_Host::relabel() {
  for (int32_t i = 0; i < instanceCount_; ++i) {
    label(i);
    window_.setEntry(ZR_Host_Window::kChannel, i, instances_[i]->label,
                     static_cast<uint16_t>(kSelectInstance + i));
  }
}

// The counts follow the instances connected now, not the history of earlier devices.
void ZR_Host::recount() {
  for (int32_t j = 0; j < inputCount_; ++j) inputs_[j].uses = 0;
  for (int32_t i = 0; i < instanceCount_; ++i)
    if (connected(*instances_[i])) ++inputs_[instances_[i]->input].uses;
}

bool ZR_Host::connected(const Instance& instance) const {
  return instance.input >= 0 && instance.input < inputCount_;
}

VstIntPtr ZR_Host::dispatch(const Instance& instance, VstInt32 opcode, void* ptr, float opt) {
  return instance.effect->dispatcher(instance.effect, opcode, 0, 0, ptr, opt);
}
