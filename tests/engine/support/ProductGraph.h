#pragma once
#include <cstdint>
#include <vector>

#include "TestGraph.h"

class ZR_Buffer;
class ZR_Effect_Bapass;
class ZR_Effect_Copy;
class ZR_Effect_Lopass;

/// The product's third-order low-pass, built by the same commands as the application: input copy,
/// first-order low-pass, band-pass (q .618, mode "sub") and output copy, on buffers of 512 samples
/// unless told otherwise.
class ProductGraph {
 public:
  static constexpr int32_t kBlock = 512;

  ProductGraph(int32_t rate, float cutoff, int32_t blockSize = kBlock);

  /// "%o -f %f" to both filters, as one edit.
  void setCutoff(float cutoff);
  /// "ZR_Effect %o -on %i" to both filters.
  void setOn(bool on);
  /// One engine block of n <= the block size: in is laid into the input buffer, out read back.
  void block(const int32_t* in, int32_t* out, int32_t n);
  /// A whole signal in blocks of the block size.
  std::vector<int32_t> run(const std::vector<int32_t>& in);

  int32_t blockSize;
  TestGraph graph;
  ZR_Buffer* input = nullptr;
  ZR_Buffer* filter = nullptr;
  ZR_Buffer* output = nullptr;
  ZR_Effect_Copy* inputCopy = nullptr;
  ZR_Effect_Lopass* lopass = nullptr;
  ZR_Effect_Bapass* bapass = nullptr;
  ZR_Effect_Copy* outputCopy = nullptr;
};
