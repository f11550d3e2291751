#pragma once
#include <atomic>
#include <cstdint>

#include "engine/ZR_Effect.h"

class ZR_Buffer;

/// What the two pitch shifters share: the input ring, the phase phi that moves by the speed sigma
/// per sample through a window of P sub-sample units (16384 = one sample), and the options. Not a
/// class of its own in the command language; ZR_Effect_Shift and ZR_Effect_Nshift register its
/// options.
class ZR_Effect_Shifter : public ZR_Effect {
 public:
  static constexpr int32_t kRing = 8192;
  static constexpr int32_t kOne = 16384;  // one sample in phase units

  /// Recomputes P from the clock; a clock of 0 or below keeps P. [command thread]
  void recompute() override;

  /// P = fs 2^23 / 48000 truncated (1/48000 in extended precision), saturated: a window of 512/48000 s
  /// at every rate. For fs > 0.
  static int32_t windowFor(int32_t fs);
  /// phi + sigma brought back into [0, P): one wrap as the shifters have always done, and for a
  /// speed or a phase beyond the window the remainder, so the taps never leave it.
  static int32_t advance(int32_t from, int32_t sigma, int32_t window);

  ZR_Buffer* input = nullptr;  // set while the graph is built; not owned
  ZR_Buffer* output = nullptr;
  std::atomic<int32_t> speed{0};         // sigma: the pitch ratio is 1 - sigma / 16384
  std::atomic<int32_t> window{1 << 23};  // P
  std::atomic<int32_t> phase{0};         // what "p" answers: phi after the last block, or as "p" set it
  std::atomic<int32_t> requestedPhase{0};
  std::atomic<bool> phaseSet{false};  // "p" was given: the next block starts from requestedPhase

  static ZR_value m_i(ZR_Object* object, ZR_value value);
  static ZR_value m_o(ZR_Object* object, ZR_value value);
  /// "s": an integer, or a real truncated.
  static ZR_value m_s(ZR_Object* object, ZR_value value);
  /// "p": an integer, or a real truncated; the next block starts from this phase.
  static ZR_value m_p(ZR_Object* object, ZR_value value);

 protected:
  /// The arrays and length of this block, and phi takes a phase that "p" gave; false when a buffer
  /// is missing or the block is empty. [audio]
  bool beginBlock(const int32_t** in, int32_t** out, int32_t* n);
  /// Publishes phi for "p". [audio]
  void endBlock() { phase.store(phi, std::memory_order_relaxed); }
  /// The sin^2 weights of the taps at phase at and at + P; g1 + g2 = 1.
  static void weights(int32_t at, int32_t window, double* g1, double* g2);

  uint32_t writeIndex = 0;  // w, the newest sample of the ring; moves down
  int32_t phi = 0;          // the phase, owned by the thread that runs blocks
  int32_t x[kRing] = {};    // X, the input ring
};
