// The test ASIO driver: an in-process COM server that registers itself, offers two rates and three
// channels each way (one of each kind the host must skip), and runs its own thread that calls the
// host's buffer switch at the buffer rate, filling the inputs and checking what the host wrote.
#include <objbase.h>
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <cstring>
#include <vector>

#include "ZR_Test_Asio.h"
#include "win32/asio/ZR_Asio_Driver.h"

using namespace zr_test_asio;

namespace {

HMODULE module = nullptr;
std::atomic<int32_t> lockCount{0};

// Counters the tests read; written on the host's thread and the block thread.
struct AtomicStats {
  std::atomic<int32_t> switches{0}, timeInfoSwitches{0}, outputBlocks{0}, badOutputBlocks{0}, liveObjects{0},
      liveBufferSets{0}, createsOverLive{0}, runningThreads{0}, starts{0}, stops{0}, bufferSize{0},
      bufferCount{0};
  std::atomic<double> rate{0};
} stats;

const GUID kClsid = {0x6d1b2c3a, 0x8e4f, 0x4c21, {0x9a, 0x0b, 0x51, 0x52, 0x52, 0x4d, 0x41, 0x53}};

bool sameId(const void* a, const GUID& b) { return std::memcmp(a, &b, sizeof b) == 0; }

class Driver final : public IASIO {
 public:
  Driver() { ++stats.liveObjects; }
  ~Driver() {
    stop();
    disposeBuffers();
    --stats.liveObjects;
  }

  int32_t __stdcall QueryInterface(const ZR_Clsid& iid, void** object) override {
    if (!object) return E_POINTER;
    // ASIO hosts ask for the class id itself as the interface.
    if (sameId(&iid, IID_IUnknown) || sameId(&iid, kClsid)) {
      *object = this;
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  uint32_t __stdcall AddRef() override { return static_cast<uint32_t>(++refs_); }
  uint32_t __stdcall Release() override {
    int32_t left = --refs_;
    if (left == 0) delete this;
    return static_cast<uint32_t>(left);
  }

  ASIOBool init(void*) override { return 1; }
  void getDriverName(char* name) override { std::strcpy(name, "QORM Test"); }
  int32_t getDriverVersion() override { return 1; }
  void getErrorMessage(char* text) override { std::strcpy(text, "no error"); }

  ASIOError start() override {
    if (size_ == 0 || thread_) return -997;  // ASE_InvalidMode: no buffers yet
    ++stats.starts;
    // A host that answers that it supports time info gets the time-info switch only.
    timeInfo_ =
        callbacks_.asioMessage(kAsioSelectorSupported, kAsioSupportsTimeInfo, nullptr, nullptr) == 1 &&
        callbacks_.asioMessage(kAsioSupportsTimeInfo, 0, nullptr, nullptr) == 1;
    stopEvent_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    thread_ = CreateThread(nullptr, 0, &Driver::run, this, 0, nullptr);
    ++stats.runningThreads;
    return 0;
  }
  ASIOError stop() override {
    if (!thread_) return 0;
    ++stats.stops;
    SetEvent(stopEvent_);
    WaitForSingleObject(thread_, INFINITE);
    CloseHandle(thread_);
    CloseHandle(stopEvent_);
    thread_ = stopEvent_ = nullptr;
    --stats.runningThreads;
    return 0;
  }
  ASIOError getChannels(int32_t* inputs, int32_t* outputs) override {
    *inputs = *outputs = kChannels;
    return 0;
  }
  ASIOError getLatencies(int32_t* in, int32_t* out) override {
    *in = *out = size_;
    return 0;
  }
  ASIOError getBufferSize(int32_t* mn, int32_t* mx, int32_t* pref, int32_t* gran) override {
    *mn = kMinSize;
    *mx = kMaxSize;
    *pref = kPreferredSize;
    *gran = kGranularity;
    return 0;
  }
  ASIOError canSampleRate(ASIOSampleRate rate) override {
    for (double r : kRates) {
      if (r == rate) return 0;
    }
    return -995;  // ASE_NoClock
  }
  ASIOError getSampleRate(ASIOSampleRate* rate) override {
    *rate = rate_;
    return 0;
  }
  ASIOError setSampleRate(ASIOSampleRate rate) override {
    if (canSampleRate(rate) != 0) return -995;
    rate_ = rate;
    stats.rate = rate;
    return 0;
  }
  ASIOError getClockSources(ASIOClockSource*, int32_t* count) override {
    *count = 0;
    return 0;
  }
  ASIOError setClockSource(int32_t) override { return -998; }
  ASIOError getSamplePosition(ASIOSamples*, ASIOTimeStamp*) override { return -996; }
  ASIOError getChannelInfo(ASIOChannelInfo* info) override {
    if (info->channel < 0 || info->channel >= kChannels) return -998;  // ASE_InvalidParameter
    info->type = info->isInput ? kInputTypes[info->channel] : kOutputTypes[info->channel];
    info->isActive = 0;
    info->channelGroup = 0;
    std::snprintf(info->name, sizeof info->name, "Test %s %d", info->isInput ? "in" : "out",
                  static_cast<int>(info->channel) + 1);
    return 0;
  }
  ASIOError createBuffers(ASIOBufferInfo* infos, int32_t count, int32_t size,
                          ASIOCallbacks* callbacks) override {
    if (thread_ || size < kMinSize || size > kMaxSize || count < 0 || !callbacks) return -997;
    if (!buffers_.empty()) ++stats.createsOverLive;
    disposeBuffers();
    for (int32_t i = 0; i < count; ++i) {
      if (infos[i].channelNum < 0 || infos[i].channelNum >= kChannels) return -998;
    }
    size_ = size;
    callbacks_ = *callbacks;
    for (int32_t i = 0; i < count; ++i) {
      Channel channel{infos[i].isInput != 0, infos[i].channelNum, {}};
      for (int half = 0; half < 2; ++half) {
        channel.halves[half].assign(static_cast<size_t>(size), 0);
        infos[i].buffers[half] = channel.halves[half].data();
      }
      buffers_.push_back(std::move(channel));
    }
    ++stats.liveBufferSets;
    stats.bufferSize = size;
    stats.bufferCount = count;
    return 0;
  }
  ASIOError disposeBuffers() override {
    if (thread_) return -997;
    if (!buffers_.empty() || size_) {
      buffers_.clear();
      size_ = 0;
      --stats.liveBufferSets;
    }
    return 0;
  }
  ASIOError controlPanel() override { return 0; }
  ASIOError future(int32_t, void*) override { return -998; }
  ASIOError outputReady() override { return -998; }

 private:
  struct Channel {
    bool input;
    int32_t number;
    std::vector<int32_t> halves[2];
  };

  static DWORD WINAPI run(void* self) {
    static_cast<Driver*>(self)->blocks();
    return 0;
  }

  // One block per period of the buffer rate, timed against the performance counter.
  void blocks() {
    LARGE_INTEGER frequency, now, next;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&next);
    const LONGLONG period = frequency.QuadPart * size_ / static_cast<LONGLONG>(rate_);
    alignas(8) unsigned char timeRecord[256] = {};
    for (int32_t block = 0;; ++block) {
      next.QuadPart += period;
      QueryPerformanceCounter(&now);
      DWORD wait = now.QuadPart < next.QuadPart
                       ? static_cast<DWORD>((next.QuadPart - now.QuadPart) * 1000 / frequency.QuadPart)
                       : 0;
      if (WaitForSingleObject(stopEvent_, wait) == WAIT_OBJECT_0) return;
      const int half = block & 1;
      for (Channel& c : buffers_) {
        std::vector<int32_t>& samples = c.halves[half];
        for (int32_t f = 0; f < size_; ++f) {
          samples[static_cast<size_t>(f)] = c.input ? sample(block, c.number, f) : kUnwritten;
        }
      }
      if (timeInfo_) {
        callbacks_.bufferSwitchTimeInfo(reinterpret_cast<ASIOTime*>(timeRecord), half, 0);
        ++stats.timeInfoSwitches;
      } else {
        callbacks_.bufferSwitch(half, 0);
      }
      ++stats.switches;
      for (Channel& c : buffers_) {
        if (c.input) continue;
        const std::vector<int32_t>& samples = c.halves[half];
        bool same = true;
        for (int32_t f = 0; f < size_; ++f)
          same = same && samples[static_cast<size_t>(f)] == sample(block, c.number, f);
        ++stats.outputBlocks;
        if (!same) ++stats.badOutputBlocks;
      }
    }
  }

  std::atomic<int32_t> refs_{1};
  double rate_ = kRates[0];
  int32_t size_ = 0;
  ASIOCallbacks callbacks_{};
  std::vector<Channel> buffers_;
  bool timeInfo_ = false;
  HANDLE thread_ = nullptr;
  HANDLE stopEvent_ = nullptr;
};

class Factory final : public IClassFactory {
 public:
  HRESULT __stdcall QueryInterface(REFIID iid, void** object) override {
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IClassFactory)) {
      *object = this;
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG __stdcall AddRef() override { return 2; }  // a static object
  ULONG __stdcall Release() override { return 1; }
  HRESULT __stdcall CreateInstance(IUnknown* outer, REFIID iid, void** object) override {
    if (outer) return CLASS_E_NOAGGREGATION;
    Driver* driver = new Driver;
    HRESULT result = driver->QueryInterface(*reinterpret_cast<const ZR_Clsid*>(&iid), object);
    driver->Release();
    return result;
  }
  HRESULT __stdcall LockServer(BOOL lock) override {
    lockCount += lock ? 1 : -1;
    return S_OK;
  }
} factory;

LONG setText(HKEY root, const char* path, const char* name, const char* text) {
  HKEY key = nullptr;
  LONG result = RegCreateKeyExA(root, path, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr);
  if (result != ERROR_SUCCESS) return result;
  result = RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                          static_cast<DWORD>(std::strlen(text) + 1));
  RegCloseKey(key);
  return result;
}

const char kAsioKey[] = "Software\\ASIO\\" ZR_TEST_ASIO_DESCRIPTION;
const char kClassKey[] = "CLSID\\" ZR_TEST_ASIO_CLSID_TEXT;
const char kServerKey[] = "CLSID\\" ZR_TEST_ASIO_CLSID_TEXT "\\InprocServer32";

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, void*) {
  if (reason == DLL_PROCESS_ATTACH) module = instance;
  return TRUE;
}

extern "C" HRESULT __stdcall DllGetClassObject(REFCLSID clsid, REFIID iid, void** object) {
  if (!IsEqualCLSID(clsid, kClsid)) return CLASS_E_CLASSNOTAVAILABLE;
  return factory.QueryInterface(iid, object);
}

extern "C" HRESULT __stdcall DllCanUnloadNow() {
  return stats.liveObjects == 0 && lockCount == 0 ? S_OK : S_FALSE;
}

extern "C" HRESULT __stdcall DllRegisterServer() {
  char path[MAX_PATH];
  DWORD length = GetModuleFileNameA(module, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return E_FAIL;
  LONG failed = setText(HKEY_LOCAL_MACHINE, kAsioKey, "CLSID", ZR_TEST_ASIO_CLSID_TEXT) |
                setText(HKEY_LOCAL_MACHINE, kAsioKey, "Description", ZR_TEST_ASIO_DESCRIPTION) |
                setText(HKEY_CLASSES_ROOT, kClassKey, nullptr, ZR_TEST_ASIO_DESCRIPTION) |
                setText(HKEY_CLASSES_ROOT, kServerKey, nullptr, path) |
                setText(HKEY_CLASSES_ROOT, kServerKey, "ThreadingModel", "Apartment");
  return failed ? E_FAIL : S_OK;
}

extern "C" HRESULT __stdcall DllUnregisterServer() {
  RegDeleteKeyA(HKEY_LOCAL_MACHINE, kAsioKey);
  RegDeleteKeyA(HKEY_CLASSES_ROOT, kServerKey);
  RegDeleteKeyA(HKEY_CLASSES_ROOT, kClassKey);
  return S_OK;
}

extern "C" void ZR_test_asio_stats(Stats* out) {
  *out = Stats{stats.switches,
               stats.timeInfoSwitches,
               stats.outputBlocks,
               stats.badOutputBlocks,
               stats.liveObjects,
               stats.liveBufferSets,
               stats.createsOverLive,
               stats.runningThreads,
               stats.starts,
               stats.stops,
               stats.bufferSize,
               stats.bufferCount,
               stats.rate};
}
