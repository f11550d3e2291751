#pragma once
#include <atomic>
#include <cstdint>

#include "engine/ZR_Effect.h"

class ZR_Buffer;

/// Second-order band-pass between the edges f q and f / q. The integer form runs the fixed-point
/// kernel; the floating form runs the same recursion in double precision in the node.
class ZR_Effect_Bapass : public ZR_Effect {
 public:
  /// [audio] No allocation, no locks.
  void process() override;
  /// Recomputes the coefficients of both forms from f, q and the clock. [command thread]
  void recompute() override;
  /// Zeroes the states of both forms. [the thread that runs blocks] No allocation, no locks.
  void reset() override;
  /// Takes c1f to c3 as one set. [audio] No allocation, no locks.
  void stageCoefficients() override;
  void commitCoefficients() override { inForce_ = staged_; }

  /// The coefficients of one band, in both forms.
  struct Coefficients {
    double c1f, c2f, c3f;
    int32_t c1, c2, c3;
  };
  /// The band-pass for the edges f q and f / q at the rate fs, discretised with central
  /// differences. For f > 0, q > 0, q != 1 and fs > 0.
  static Coefficients coefficientsFor(float f, float q, int32_t fs);

  ZR_Buffer* input = nullptr;  // set while the graph is built; not owned
  ZR_Buffer* output = nullptr;
  int32_t errorCode = 0;  // the first non-zero kernel status
  std::atomic<float> frequency{0};
  std::atomic<float> ratio{0};
  // Pending: blocks take all six at their start.
  std::atomic<double> c1f{0}, c2f{0}, c3f{0};
  std::atomic<int32_t> c1{0}, c2{0}, c3{0};
  int32_t x1 = 0, x2 = 0, y1 = 0, y2 = 0;
  double x1f = 0, x2f = 0, y1f = 0, y2f = 0;
  std::atomic<bool> floating{false};

  static ZR_Object* create();
  /// "f": an integer or a real; a negative or non-finite frequency is refused.
  static ZR_value m_f(ZR_Object* object, ZR_value value);
  /// "q": a real, or an integer taken as that number; a negative or non-finite ratio is refused.
  static ZR_value m_q(ZR_Object* object, ZR_value value);
  static ZR_value m_i(ZR_Object* object, ZR_value value);
  static ZR_value m_o(ZR_Object* object, ZR_value value);
  static ZR_value m_a(ZR_Object* object, ZR_value value);
  static const ZR_Option table[];

 protected:
  /// Keeps and prints the first non-zero status of the integer kernel. [audio] Prints at most once
  /// in the node's life.
  void reportStatus(int32_t status);

 private:
  template <int32_t M>
  static void floatingBlock(ZR_Effect_Bapass& node, const int32_t* in, int32_t* out, int32_t n);
  static void (*const floatingBlocks[ZR_MODE_COUNT])(ZR_Effect_Bapass&, const int32_t*, int32_t*, int32_t);

  Coefficients staged_{};
  Coefficients inForce_{};
};
