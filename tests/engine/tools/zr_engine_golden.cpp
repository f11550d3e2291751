// Records the product graph's output for the golden test: zr_engine_golden > data/product_graph_golden.inc
// Run it natively; the test then checks the recording on every target.
#include <cinttypes>
#include <cstdio>

#include "GoldenCase.h"

int main() {
  std::printf(
      "// rate, cutoff, switched every n blocks, FNV-1a 64 of the output. Written by zr_engine_golden.\n");
  for (int i = 0; i < kGoldenCaseCount; ++i) {
    const GoldenCase& c = kGoldenCases[i];
    std::printf("{%d, %#.9gf, %d, 0x%016" PRIx64 "ull},\n", c.rate, static_cast<double>(c.cutoff),
                c.toggleEvery, goldenHash(c));
  }
  return 0;
}
