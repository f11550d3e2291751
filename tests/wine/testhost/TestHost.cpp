#include "TestHost.h"

namespace {
TestHost* activeHost = nullptr;
}

TestHost::TestHost() : previous_(activeHost) { activeHost = this; }

TestHost::~TestHost() { activeHost = previous_; }

bool TestHost::load(const std::string& path, const std::string& exportName) {
  entry_ = nullptr;
  if (!library_.open(path)) {
    error_ = "cannot load " + path + ": " + library_.error();
    return false;
  }
  entry_ = reinterpret_cast<Entry>(library_.symbol(exportName.c_str()));
  if (!entry_) error_ = path + " exports no " + exportName;
  return entry_ != nullptr;
}

AEffect* TestHost::create() { return entry_ ? entry_(&TestHost::callback) : nullptr; }

std::vector<HostCall> TestHost::callsOf(VstInt32 opcode) {
  std::lock_guard<std::mutex> lock(callsLock_);
  std::vector<HostCall> found;
  for (const HostCall& call : calls_)
    if (call.opcode == opcode) found.push_back(call);
  return found;
}

VstIntPtr TestHost::callback(AEffect*, VstInt32 opcode, VstInt32 index, VstIntPtr value, void*, float) {
  return activeHost ? activeHost->answer(opcode, index, value) : 0;
}

VstIntPtr TestHost::answer(VstInt32 opcode, VstInt32 index, VstIntPtr value) {
  {
    std::lock_guard<std::mutex> lock(callsLock_);
    calls_.push_back({opcode, index, value});
  }
  switch (opcode) {
    case audioMasterVersion:
      return versionReply;
    case audioMasterGetSampleRate:
      return static_cast<VstIntPtr>(sampleRate);
    case audioMasterGetBlockSize:
      return blockSize;
    case audioMasterSizeWindow:
      return 1;
    default:
      return 0;
  }
}
