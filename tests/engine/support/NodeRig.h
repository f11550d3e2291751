#pragma once
#include <cstdint>
#include <vector>

#include "TestGraph.h"

class ZR_Buffer;

/// One node between an input and an output buffer, both following the block length: the node is
/// made by a command whose first "%o" is the input and second "%o" the output. Graph building is
/// over when the rig is made.
struct NodeRig {
  NodeRig(const char* command, int32_t maxBlock = 512);

  /// Feeds x through the input in blocks of at most block samples and returns the output's blocks.
  std::vector<int32_t> run(const std::vector<int32_t>& x, int32_t block = 512);
  /// Runs one block of n samples of x.
  std::vector<int32_t> run(int32_t n, int32_t x) { return run(std::vector<int32_t>(n, x)); }
  /// A query of an option that answers an integer ("%o -name").
  int32_t integer(const char* option);
  /// A query of an option that answers a real.
  float real(const char* option);

  TestGraph graph;
  ZR_Buffer* in;
  ZR_Buffer* out;
  ZR_Object* node;
  int32_t maxBlock;
};
