#pragma once
// A host callback for tests: records every call and answers what the test asks it to.
#include <map>
#include <mutex>
#include <vector>

#include "plugin/AEffect.h"

struct VstHostCall {
  AEffect* effect;
  VstInt32 opcode;
  VstInt32 index;
  VstIntPtr value;
  void* ptr;
  float opt;
};

class VstTestHost {
 public:
  /// Installs this host as the one the callback reaches; the previous one comes back on destruction.
  VstTestHost() : previous_(active_) { active_ = this; }
  ~VstTestHost() { active_ = previous_; }
  VstTestHost(const VstTestHost&) = delete;
  VstTestHost& operator=(const VstTestHost&) = delete;

  static VstIntPtr callback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                            float opt) {
    VstTestHost* host = active_;
    if (!host) return 0;
    std::lock_guard<std::mutex> lock(host->lock_);  // instances may call back from several threads
    host->calls.push_back({effect, opcode, index, value, ptr, opt});
    auto reply = host->replies.find(opcode);
    return reply == host->replies.end() ? host->defaultReply : reply->second;
  }

  /// The calls with this opcode, in order.
  std::vector<VstHostCall> callsOf(VstInt32 opcode) const {
    std::vector<VstHostCall> found;
    for (const VstHostCall& call : calls)
      if (call.opcode == opcode) found.push_back(call);
    return found;
  }

  std::vector<VstHostCall> calls;
  std::map<VstInt32, VstIntPtr> replies;  // per opcode; others get defaultReply
  VstIntPtr defaultReply = 0;

 private:
  static inline VstTestHost* active_ = nullptr;
  std::mutex lock_;
  VstTestHost* previous_;
};
