#pragma once
// An effect record for the host's tests. Its two outputs differ (half the input on the first,
// minus a quarter on the second), so a swapped pair or a wrong mix block shows; every request it
// receives is logged with the number of the effect that received it.
#include <atomic>
#include <string>
#include <vector>

#include "plugin/AEffect.h"

class StubEffect {
 public:
  struct Request {
    int32_t effect;  // creation number, from 0
    VstInt32 opcode;
    void* ptr;
    float opt;
  };

  static constexpr float kFirstGain = 0.5f;
  static constexpr float kSecondGain = -0.25f;

  /// The entry the host is given: creates a stub and returns its record, or null while refuse is set.
  static AEffect* entry(audioMasterCallback master);
  /// Forgets the log and the numbering; refuse goes back to false. [between tests]
  static void reset();
  /// The requests with this opcode, in order; and the opcodes an effect received, in order.
  static std::vector<Request> requestsOf(VstInt32 opcode);
  static std::vector<VstInt32> opcodesOf(int32_t effect);
  /// The stub with this creation number while it is open, else null.
  static StubEffect* find(int32_t effect);

  static inline std::vector<Request> requests;
  static inline bool refuse = false;
  static inline int32_t created = 0;
  static inline VstIntPtr masterVersion = 0;  // what the host answered the version query
  static inline std::string vendor;           // what the host wrote for the vendor string

  AEffect record{};
  int32_t number;
  std::atomic<int32_t> blocks{0};  // processReplacing calls [audio]
  ERect rect{0, 0, 236, 200};

 private:
  explicit StubEffect(int32_t n);
  static VstIntPtr dispatch(AEffect* e, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                            float opt);
  static void processReplacing(AEffect* e, float** inputs, float** outputs, VstInt32 frames);
  static inline std::vector<StubEffect*> open_;
};
