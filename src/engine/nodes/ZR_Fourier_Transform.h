#pragma once
#include <atomic>
#include <cstdint>
#include <vector>

#include "engine/ZR_Effect.h"

class ZR_Buffer;

/// Radix-2 transform of N = 2^(s+1) complex values on a fixed-point array, with butterflies in
/// extended precision. Forward: the last N input samples (optionally under a squared-sine window)
/// become a spectrum scaled by 1/N. Backward: a spectrum of N values (2N words, real and imaginary
/// interleaved) becomes an unscaled complex signal. Measures its own cost per transform.
class ZR_Fourier_Transform : public ZR_Effect {
 public:
  static constexpr int32_t kMaxExponent = 11;  // the twiddle table covers no finer angles

  /// Builds the shared twiddle table on first use; no buffers until "s" is set. [building thread]
  ZR_Fourier_Transform();
  /// Frees the history and spectrum buffers. [building thread]
  ~ZR_Fourier_Transform() override;

  /// [audio] No allocation, no locks; prints the average cost every 100th block while debug is on.
  void process() override;
  /// Clears the history ring. [the thread that runs blocks]
  void reset() override;

  /// Sets s and sizes the buffers (history N, spectrum 2N words); false outside 0..11.
  /// [building thread] Allocates.
  bool setExponent(int32_t exponent);
  /// N, the number of complex values; 0 while no size was set.
  int32_t size() const { return history ? 2 << s : 0; }
  /// One transform of n words of in into out (2N words). Forward pushes the samples into the
  /// history ring first; backward reads the words present and takes the others as 0.
  /// [audio] No allocation, no locks.
  void transform(const int32_t* in, int32_t n, int32_t* out);

  double averageCost = 0;  // smoothed time of one transform, in clock ticks
  int32_t blockCounter = 0;
  ZR_Buffer* input = nullptr;     // set while the graph is built; not owned
  ZR_Buffer* history = nullptr;   // owned; its position is the ring's write index
  ZR_Buffer* spectrum = nullptr;  // owned
  int32_t s = 0;
  std::atomic<bool> backward{false};
  std::atomic<bool> sineWindow{false};

  static ZR_Object* create();
  static ZR_value m_i(ZR_Object* object, ZR_value value);
  static ZR_value m_w(ZR_Object* object, ZR_value value);
  static ZR_value m_d(ZR_Object* object, ZR_value value);
  static ZR_value m_win(ZR_Object* object, ZR_value value);
  /// "s": an integer 0 to 11; other values are refused.
  static ZR_value m_s(ZR_Object* object, ZR_value value);
  static const ZR_Option table[];

 private:
  void fill(const int32_t* in, int32_t n, int32_t* out, bool isBackward, bool windowed);

  std::vector<int32_t> reversed_;  // rev(i) for i < N
  std::vector<double> window_;     // sin^2(pi i / N) for i < N
};
