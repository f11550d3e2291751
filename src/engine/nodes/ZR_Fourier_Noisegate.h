#pragma once
#include <atomic>
#include <cstdint>

#include "engine/ZR_Effect.h"
#include "engine/nodes/ZR_Effect_Deline.h"
#include "engine/nodes/ZR_Fourier_Transform.h"

class ZR_Buffer;

/// Spectral noise reduction. It learns a noise level per frequency bin from the analysed signal,
/// derives a gain per bin (zero at or below the level), turns the gain curve into a filter of N
/// taps and multiplies two input spectra with the spectra of the filter's two halves: output 1
/// with the previous block's filter, output 2 with the current one. Its transforms and delay are
/// its own: they run inside its block, never in a soundpipe's chain.
class ZR_Fourier_Noisegate : public ZR_Effect {
 public:
  /// The internal buffers empty, the transforms at s = 5, the delay a single tap of 512 samples.
  /// [building thread] Allocates.
  ZR_Fourier_Noisegate();
  /// Frees what it owns. [building thread]
  ~ZR_Fourier_Noisegate() override;

  /// [audio] No allocation, no locks.
  void process() override;
  /// Clears the delay's memory and the transforms' rings; the noise profile is kept.
  /// [the thread that runs blocks]
  void reset() override;

  /// Takes a spectrum buffer of L words (a power of two, 4 to 2048): sizes everything for
  /// N = L / 2, clears the noise profile and sets every gain to 1; false (nothing changes) for
  /// other lengths. Null detaches the input. [building thread] Allocates.
  bool setInput(ZR_Buffer* spectrum);
  /// Takes the time signal that is analysed and delayed. [building thread] Allocates.
  void setSignal(ZR_Buffer* buffer);

  ZR_Buffer* inputSpectrum = nullptr;  // "i"; not owned
  ZR_Buffer* delayed;                  // owned: the signal, delayed
  ZR_Buffer* signal = nullptr;         // "s"; not owned
  ZR_Buffer* noiseProfile;             // owned: N / 2 + 1 levels
  ZR_Buffer* gainSpectrum;             // owned: N complex gains
  ZR_Buffer* output1 = nullptr;
  ZR_Buffer* output2 = nullptr;
  bool ownsOutput1 = false;  // made by a query of "o1"
  bool ownsOutput2 = false;
  ZR_Fourier_Transform impulse;
  ZR_Fourier_Transform firstHalf;
  ZR_Fourier_Transform secondHalf;
  ZR_Fourier_Transform analysis;
  ZR_Fourier_Transform delayedTransform;
  ZR_Effect_Deline delay;
  std::atomic<bool> adapt{false};
  double thresholdFactor = 0.0;

  static ZR_Object* create();
  /// "i": a buffer whose length is a power of two from 4 to 2048; other buffers are refused.
  static ZR_value m_i(ZR_Object* object, ZR_value value);
  static ZR_value m_o1(ZR_Object* object, ZR_value value);
  static ZR_value m_o2(ZR_Object* object, ZR_value value);
  static ZR_value m_s(ZR_Object* object, ZR_value value);
  static ZR_value m_a(ZR_Object* object, ZR_value value);
  static ZR_value m_w(ZR_Object* object, ZR_value value);
  static const ZR_Option table[];

 private:
  /// Whether every buffer of a block of N values is there and large enough.
  bool ready(int32_t n) const;
  /// Merges the spectra: out = Z conj(W') + X conj(Y'), with the filter halves Y and W scaled.
  void filter(const int32_t* x, int32_t* out, int32_t outLength, int32_t n) const;
  /// Learns the noise profile and derives the gain curve from the analysis spectrum.
  void updateGains(const int32_t* a, int32_t n, bool learn);
  ZR_value outputOption(ZR_Buffer** slot, bool* owned, ZR_value value);
};
