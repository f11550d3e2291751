#pragma once
#include <atomic>
#include <cstdint>

#include "engine/ZR_Effect.h"

class ZR_Buffer;

/// Soft-knee clipper with an offset that follows what is cut off (the kernel ZR_kern_dist). The drive
/// d and softness s set the clip level b = d (1 - s) and the knee half-width h = (d - b) / 2; k sets
/// how fast the offset moves, scaled so that it means the same at every sample rate. Written as mode
/// "set" whatever the mode.
class ZR_Effect_Dist : public ZR_Effect {
 public:
  /// Computes b and h from the defaults. [building thread]
  ZR_Effect_Dist();

  /// [audio] No allocation, no locks.
  void process() override;
  /// Recomputes the rate from k and the clock. [command thread]
  void recompute() override;
  /// [the thread that runs blocks] No allocation, no locks.
  void reset() override { offset = 0; }

  /// rate = k 48000 / fs (2^31 - 1), truncated and saturated to 32 bits. For fs > 0.
  static int32_t rateFor(float k, int32_t fs);
  /// b = d (1 - s) truncated, saturated; h = (d - b) / 2 taken in 64 bits.
  static void levelsFor(int32_t d, double s, int32_t* b, int32_t* h);

  ZR_Buffer* input = nullptr;  // set while the graph is built; not owned
  ZR_Buffer* output = nullptr;
  int32_t offset = 0;  // S
  std::atomic<int32_t> rate{1 << 26};
  std::atomic<float> k{0};
  std::atomic<int32_t> drive{1 << 24};  // d
  std::atomic<int32_t> halfWidth{0};    // h
  std::atomic<int32_t> clipLevel{0};    // b
  static constexpr int32_t kKneeShift = 1;
  std::atomic<int32_t> flags{0};  // l: only bit 0 counts
  std::atomic<double> softness{0.5};

  static ZR_Object* create();
  static ZR_value m_i(ZR_Object* object, ZR_value value);
  static ZR_value m_o(ZR_Object* object, ZR_value value);
  /// "d": an integer or a real v; d = v 2^29 truncated and saturated. Answers d / 2^30.
  static ZR_value m_d(ZR_Object* object, ZR_value value);
  /// "s": an integer or a real; any number is taken (the levels saturate).
  static ZR_value m_s(ZR_Object* object, ZR_value value);
  /// "k": an integer or a real; a negative value or not a number is refused.
  static ZR_value m_k(ZR_Object* object, ZR_value value);
  /// "l": an integer, or a real truncated.
  static ZR_value m_l(ZR_Object* object, ZR_value value);
  static const ZR_Option table[];

 private:
  void updateLevels();
};
