#pragma once
#include <string>
#include <vector>

#include "plugin/AEffect.h"

/// One effect as a host drives it: only through its record's entries.
class TestEffect {
 public:
  explicit TestEffect(AEffect* effectRecord) : record(effectRecord) {}
  ~TestEffect() { close(); }
  TestEffect(const TestEffect&) = delete;
  TestEffect& operator=(const TestEffect&) = delete;

  VstIntPtr dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr,
                     float opt = 0.0f);
  /// What a text opcode writes into a host buffer of size bytes (the host's usual 64 by default).
  std::string text(VstInt32 opcode, VstInt32 index = 0, size_t size = 64);
  void setParameter(VstInt32 index, float value);
  float getParameter(VstInt32 index);
  /// One host block through the replacing entry: mono in, stereo out, frames = input's size.
  void process(const std::vector<float>& input, std::vector<float>& left, std::vector<float>& right);
  /// Sends effClose once; its reply (0 when already closed). The record is gone afterwards.
  VstIntPtr close();

  AEffect* record;
};
