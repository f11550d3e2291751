#pragma once
// A scriptable ASIO driver object and a scriptable registry/COM, for the host side and the device.
#include <atomic>
#include <cstdio>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "win32/asio/ZR_Asio_Driver.h"
#include "win32/asio/ZR_Asio_System.h"

/// One driver: what it answers is set by the test, what the host did is recorded.
class FakeAsioDriver : public IASIO {
 public:
  enum Call {
    kNone,
    kStart,
    kStop,
    kGetChannels,
    kGetBufferSize,
    kSetSampleRate,
    kCreateBuffers,
    kDisposeBuffers
  };

  // Script.
  ASIOBool initResult = 1;
  std::string name = "Fake";
  int32_t version = 7;
  std::string errorText = "fake failure";
  int32_t inputs = 2, outputs = 2;
  int32_t minSize = 64, maxSize = 1024, preferred = 256, granularity = 64;
  std::set<double> rates = {44100, 48000};
  std::map<std::pair<bool, int32_t>, int32_t> types;  // sample type by (input, channel); default 18
  std::set<std::pair<bool, int32_t>> unreadable;      // channels whose information fails
  Call failing = kNone;
  bool threaded = false;  // start runs a thread of buffer switches (alternating halves) until stop

  // Record.
  int32_t refs = 0;
  int32_t inits = 0;
  int32_t starts = 0, stops = 0, disposes = 0, creates = 0;
  double rate = 0;
  std::vector<ASIOBufferInfo> created;  // what the last createBuffers received
  int32_t createdSize = 0;
  ASIOCallbacks callbacks{};
  std::vector<std::string> log;  // start, stop, create, dispose in call order
  std::vector<std::vector<char>> memory;
  std::atomic<int32_t> switches{0};  // by the thread

  int32_t ZR_COM_CALL QueryInterface(const ZR_Clsid&, void**) override { return -1; }
  uint32_t ZR_COM_CALL AddRef() override { return static_cast<uint32_t>(++refs); }
  uint32_t ZR_COM_CALL Release() override { return static_cast<uint32_t>(--refs); }

  ~FakeAsioDriver() { stop(); }

  ASIOBool init(void*) override {
    ++inits;
    return initResult;
  }
  void getDriverName(char* text) override { std::strcpy(text, name.c_str()); }
  int32_t getDriverVersion() override { return version; }
  void getErrorMessage(char* text) override { std::strcpy(text, errorText.c_str()); }
  ASIOError start() override {
    ++starts;
    log.push_back("start");
    if (failing == kStart) return -997;
    if (threaded && !thread_.joinable()) {
      quit_ = false;
      thread_ = std::thread([this] {
        for (int32_t block = 0; !quit_.load(); ++block) {
          callbacks.bufferSwitch(block & 1, 0);
          switches.fetch_add(1);
        }
      });
    }
    return 0;
  }
  ASIOError stop() override {
    ++stops;
    log.push_back("stop");
    if (thread_.joinable()) {
      quit_ = true;
      thread_.join();
    }
    return result(kStop);
  }
  ASIOError getChannels(int32_t* in, int32_t* out) override {
    *in = inputs;
    *out = outputs;
    return result(kGetChannels);
  }
  ASIOError getLatencies(int32_t* in, int32_t* out) override {
    *in = *out = 0;
    return 0;
  }
  ASIOError getBufferSize(int32_t* mn, int32_t* mx, int32_t* pref, int32_t* gran) override {
    *mn = minSize;
    *mx = maxSize;
    *pref = preferred;
    *gran = granularity;
    return result(kGetBufferSize);
  }
  ASIOError canSampleRate(ASIOSampleRate r) override { return rates.count(r) ? 0 : -995; }
  ASIOError getSampleRate(ASIOSampleRate* r) override {
    *r = rate;
    return 0;
  }
  ASIOError setSampleRate(ASIOSampleRate r) override {
    rate = r;
    return result(kSetSampleRate);
  }
  ASIOError getClockSources(ASIOClockSource*, int32_t* count) override {
    *count = 0;
    return 0;
  }
  ASIOError setClockSource(int32_t) override { return 0; }
  ASIOError getSamplePosition(ASIOSamples*, ASIOTimeStamp*) override { return -998; }
  ASIOError getChannelInfo(ASIOChannelInfo* info) override {
    std::pair<bool, int32_t> key{info->isInput != 0, info->channel};
    if (unreadable.count(key)) return -998;
    auto type = types.find(key);
    info->type = type == types.end() ? 18 : type->second;
    info->isActive = 0;
    info->channelGroup = 0;
    std::snprintf(info->name, sizeof info->name, "%s %d", info->isInput ? "In" : "Out", info->channel);
    return 0;
  }
  ASIOError createBuffers(ASIOBufferInfo* infos, int32_t count, int32_t size, ASIOCallbacks* cb) override {
    ++creates;
    log.push_back("create");
    if (failing == kCreateBuffers) return -997;
    memory.assign(static_cast<size_t>(count) * 2, std::vector<char>(static_cast<size_t>(size) * 8));
    for (int32_t i = 0; i < count; ++i) {
      infos[i].buffers[0] = memory[static_cast<size_t>(i) * 2].data();
      infos[i].buffers[1] = memory[static_cast<size_t>(i) * 2 + 1].data();
    }
    created.assign(infos, infos + count);
    createdSize = size;
    callbacks = *cb;
    return 0;
  }
  ASIOError disposeBuffers() override {
    ++disposes;
    log.push_back("dispose");
    return 0;
  }
  ASIOError controlPanel() override { return 0; }
  ASIOError future(int32_t, void*) override { return -998; }
  ASIOError outputReady() override { return -998; }

 private:
  ASIOError result(Call call) const { return failing == call ? -997 : 0; }

  std::thread thread_;
  std::atomic<bool> quit_{false};
};

/// The registry and COM: driver keys with their values, class servers, files, drivers by class.
class FakeAsioSystem : public ZR_Asio_System {
 public:
  struct Key {
    std::string name;
    std::map<std::string, std::string> values;
  };

  bool hasAsioKey = true;
  std::vector<Key> keys;
  std::map<std::string, std::string> servers;  // class-id text -> library path
  std::set<std::string> files;
  std::map<std::string, FakeAsioDriver*> drivers;  // class-id text -> driver object
  int32_t createFailure = 0;                       // non-zero: every createDriver fails with it
  int32_t comInits = 0, comDones = 0, creations = 0;

  /// Adds a fully registered driver; returns its class-id text.
  std::string addDriver(const std::string& key, const std::string& description, FakeAsioDriver* driver) {
    std::string clsid = "{0000000" + std::to_string(keys.size()) + "-0000-0000-0000-000000000000}";
    Key k{key, {{"clsid", clsid}}};
    if (!description.empty()) k.values["description"] = description;
    keys.push_back(k);
    servers[clsid] = "C:\\drivers\\" + key + ".dll";
    files.insert(servers[clsid]);
    drivers[clsid] = driver;
    return clsid;
  }

  bool driverKeys(std::vector<std::string>* names) override {
    if (!hasAsioKey) return false;
    for (const Key& k : keys) names->push_back(k.name);
    return true;
  }
  bool driverValue(const std::string& key, const char* value, std::string* text) override {
    for (const Key& k : keys) {
      if (k.name != key) continue;
      auto it = k.values.find(value);
      if (it == k.values.end()) return false;
      *text = it->second;
      return true;
    }
    return false;
  }
  bool serverPath(const std::string& clsidText, std::string* path) override {
    auto it = servers.find(clsidText);
    if (it == servers.end()) return false;
    *path = it->second;
    return true;
  }
  bool fileExists(const std::string& path) override { return files.count(path) != 0; }
  bool parseClsid(const std::string& text, ZR_Clsid* clsid) override {
    if (text.size() != 38 || text[0] != '{') return false;
    *clsid = ZR_Clsid{};
    clsid->data1 = static_cast<uint32_t>(std::stoul(text.substr(1, 8), nullptr, 16)) + 1;
    return true;
  }
  void comInit() override { ++comInits; }
  void comDone() override { ++comDones; }
  int32_t createDriver(const ZR_Clsid& clsid, IASIO** driver) override {
    if (createFailure) return createFailure;
    for (auto& [text, object] : drivers) {
      ZR_Clsid parsed;
      if (!parseClsid(text, &parsed) || parsed.data1 != clsid.data1) continue;
      ++creations;
      object->AddRef();
      *driver = object;
      return 0;
    }
    return static_cast<int32_t>(0x80040154);  // class not registered
  }
};
