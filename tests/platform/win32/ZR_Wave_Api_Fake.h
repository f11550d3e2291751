#pragma once
#include <atomic>
#include <cstdio>
#include <deque>
#include <functional>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "win32/ZR_Wave_Api.h"

/// A scripted wave API: it records every call, fails the calls it is told to, accepts the formats
/// a predicate accepts, and returns recorded input blocks to the handler when a test (or a thread
/// standing in for the system) asks it to.
class ZR_Wave_Api_Fake : public ZR_Wave_Api {
 public:
  /// Which formats open; input probes see 2 channels.
  std::function<bool(bool input, const ZR_Wave_Format&)> accepts = [](bool, const ZR_Wave_Format&) {
    return true;
  };
  /// Names of the calls that fail ("inOpen", "inStop", ...).
  std::set<std::string> failing;

  bool inOpen(void** handle, const ZR_Wave_Format& f, Handler h) override {
    const bool ok = record("inOpen", f, h != nullptr) && accepts(true, f);
    *handle = ok ? &inDevice_ : nullptr;
    if (ok && h) handler_.store(h);
    return ok;
  }
  bool inClose(void*) override { return record("inClose"); }
  bool inPrepare(void*, ZR_Wave_Header*) override { return record("inPrepare"); }
  bool inAdd(void*, ZR_Wave_Header* header) override {
    if (!record("inAdd")) return false;
    std::lock_guard<std::mutex> lock(mutex_);
    queued_.push_back(header);
    return true;
  }
  bool inStart(void*) override { return record("inStart"); }
  bool inStop(void*) override { return record("inStop"); }
  /// Returns every queued input block, as the system does.
  bool inReset(void*) override {
    if (!record("inReset")) return false;
    while (returnInput()) {
    }
    return true;
  }
  bool outOpen(void** handle, const ZR_Wave_Format& f, bool streaming) override {
    const bool ok = record("outOpen", f, streaming) && accepts(false, f);
    *handle = ok ? &outDevice_ : nullptr;
    return ok;
  }
  bool outClose(void*) override { return record("outClose"); }
  bool outPrepare(void*, ZR_Wave_Header*) override { return record("outPrepare"); }
  bool outWrite(void*, ZR_Wave_Header* header) override {
    if (!record("outWrite")) return false;
    std::atomic_ref<uint32_t>(header->flags).fetch_and(~kDone);
    std::lock_guard<std::mutex> lock(mutex_);
    written_.push_back(header);
    playing_.push_back(header);
    return true;
  }
  /// Marks every playing block done.
  bool outReset(void*) override {
    if (!record("outReset")) return false;
    while (completeOutput()) {
    }
    return true;
  }
  void sleep(unsigned ms) override {
    std::lock_guard<std::mutex> lock(mutex_);
    sleeps_.push_back(ms);
  }

  /// The system hands the oldest queued input block back (a data message); false when none is
  /// queued. The handler runs on the calling thread.
  bool returnInput() {
    ZR_Wave_Header* header = nullptr;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      if (queued_.empty()) return false;
      header = queued_.front();
      queued_.pop_front();
    }
    std::atomic_ref<uint32_t>(header->flags).fetch_or(kDone);
    if (Handler h = handler_.load()) h(kInputData, reinterpret_cast<uintptr_t>(header));
    return true;
  }
  /// The oldest playing output block has been played; false when none plays.
  bool completeOutput() {
    std::lock_guard<std::mutex> lock(mutex_);
    if (playing_.empty()) return false;
    std::atomic_ref<uint32_t>(playing_.front()->flags).fetch_or(kDone);
    playing_.pop_front();
    return true;
  }
  /// Sends any message to the handler, as the system does for open and close.
  void message(uint32_t msg, uintptr_t param1) {
    if (Handler h = handler_.load()) h(msg, param1);
  }

  std::vector<std::string> log() {
    std::lock_guard<std::mutex> lock(mutex_);
    return log_;
  }
  /// The calls with this name so far.
  int calls(const std::string& name) {
    std::lock_guard<std::mutex> lock(mutex_);
    int n = 0;
    for (const std::string& entry : log_)
      n += entry.compare(0, name.size() + 1, name + " ") == 0 || entry == name;
    return n;
  }
  std::vector<ZR_Wave_Header*> written() {
    std::lock_guard<std::mutex> lock(mutex_);
    return written_;
  }
  size_t queuedInputs() {
    std::lock_guard<std::mutex> lock(mutex_);
    return queued_.size();
  }
  std::vector<unsigned> sleeps() {
    std::lock_guard<std::mutex> lock(mutex_);
    return sleeps_;
  }
  void clearLog() {
    std::lock_guard<std::mutex> lock(mutex_);
    log_.clear();
    written_.clear();
  }

 private:
  bool record(const std::string& name) {
    std::lock_guard<std::mutex> lock(mutex_);
    log_.push_back(name);
    return !failing.count(name);
  }
  bool record(const std::string& name, const ZR_Wave_Format& f, bool streaming) {
    char text[96];
    std::snprintf(text, sizeof text, "%s %u Hz %u bit %u ch align %u %u B/s%s", name.c_str(), f.rate, f.bits,
                  f.channels, f.blockAlign, f.bytesPerSecond, streaming ? " streaming" : "");
    std::lock_guard<std::mutex> lock(mutex_);
    log_.push_back(text);
    return !failing.count(name);
  }

  std::mutex mutex_;
  std::vector<std::string> log_;
  std::deque<ZR_Wave_Header*> queued_;
  std::deque<ZR_Wave_Header*> playing_;
  std::vector<ZR_Wave_Header*> written_;
  std::vector<unsigned> sleeps_;
  std::atomic<Handler> handler_{nullptr};
  int inDevice_ = 0, outDevice_ = 0;
};
