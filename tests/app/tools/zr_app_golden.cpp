// Records the shipped product's output for the golden test:
//   zr_app_golden tests/app/data/application_golden.inc
// Run it natively; the test then checks the recording on every target, block by block. It writes
// to a file: the application prints to standard output while it is destroyed.
#include <cinttypes>
#include <cstdio>
#include <vector>

#include "GoldenRun.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: zr_app_golden OUTPUT.inc\n");
    return 2;
  }
  std::vector<std::vector<uint64_t>> recorded;
  for (int i = 0; i < kGoldenCaseCount; ++i) recorded.push_back(goldenBlockHashes(kGoldenCases[i]));
  std::FILE* out = std::fopen(argv[1], "w");
  if (!out) return 1;
  std::fprintf(out,
               "// rate, Frequency x, State switched every n blocks, sweep, then FNV-1a 64 of each block's\n"
               "// output. Written by zr_app_golden.\n");
  for (int i = 0; i < kGoldenCaseCount; ++i) {
    const GoldenCase& c = kGoldenCases[i];
    std::fprintf(out, "{{%d, %#.9gf, %d, %s}, {", c.rate, static_cast<double>(c.x), c.toggleEvery,
                 c.sweep ? "true" : "false");
    for (size_t block = 0; block < recorded[i].size(); ++block)
      std::fprintf(out, "%s%s0x%016" PRIx64 "ull", block ? "," : "", block % 4 == 0 ? "\n    " : " ",
                   recorded[i][block]);
    std::fprintf(out, "}},\n");
  }
  return std::fclose(out) == 0 ? 0 : 1;
}
