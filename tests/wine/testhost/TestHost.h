#pragma once
#include <mutex>
#include <string>
#include <vector>

#include "PluginLibrary.h"
#include "plugin/AEffect.h"

/// One call of the host callback, as the plug-in made it.
struct HostCall {
  VstInt32 opcode;
  VstInt32 index;
  VstIntPtr value;
};

/// A small VST 2.4 host: loads a plug-in file, finds its entry through the export alone and
/// creates effects with it. One host answers the callback at a time (the one made last).
class TestHost {
 public:
  using Entry = AEffect* (*)(audioMasterCallback);

  TestHost();
  ~TestHost();
  TestHost(const TestHost&) = delete;
  TestHost& operator=(const TestHost&) = delete;

  /// Loads path and looks up exportName; false with error() telling why.
  bool load(const std::string& path, const std::string& exportName = "VSTPluginMain");
  const std::string& error() const { return error_; }
  /// The loaded plug-in file's module, or null.
  void* module() const { return library_.handle(); }
  /// Calls the entry with this host's callback: the effect's record, or null when it refuses.
  AEffect* create();
  /// The callback's calls with this opcode so far.
  std::vector<HostCall> callsOf(VstInt32 opcode);

  /// What the host answers when asked for its version (0: a host too old to answer).
  VstIntPtr versionReply = 2400;
  float sampleRate = 44100.0f;
  VstInt32 blockSize = 512;

 private:
  static VstIntPtr callback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                            float opt);
  VstIntPtr answer(VstInt32 opcode, VstInt32 index, VstIntPtr value);

  PluginLibrary library_;
  Entry entry_ = nullptr;
  std::string error_;
  std::mutex callsLock_;  // plug-ins may call back from any thread
  std::vector<HostCall> calls_;
  TestHost* previous_;
};
