#pragma once
#include <cstdint>

#include "engine/ZR_Effect.h"

class ZR_Buffer;

/// A node for tests: adds a constant to its buffer through samples() and counts what the soundpipe
/// and the options call. Constructed directly, it joins the current soundpipe like any node.
class CountingEffect : public ZR_Effect {
 public:
  explicit CountingEffect(ZR_Buffer* buffer = nullptr, int32_t add = 0) : buffer_(buffer), add_(add) {}

  void process() override;
  void prepare() override {
    ++prepares;
    ZR_Effect::prepare();
  }
  void recompute() override { ++recomputes; }
  void reset() override { ++resets; }

  int processes = 0, prepares = 0, recomputes = 0, resets = 0;
  int32_t* lastArray = nullptr;  // what samples() handed out in the last block

 private:
  ZR_Buffer* buffer_;
  int32_t add_;
};
