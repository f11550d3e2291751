// The shipped product's exact output: its own graph driven through processBlock (float conversion
// and clipping included), compared block by block with a recording, so a failure names the case
// and the block where the output first diverged.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "GoldenRun.h"

namespace {

struct Recording {
  GoldenCase c;
  std::vector<uint64_t> hashes;
};

const Recording kRecorded[] = {
#include "data/application_golden.inc"
};

class ApplicationGolden : public testing::TestWithParam<int> {};

TEST_P(ApplicationGolden, OutputIsBitExactToTheRecordingBlockByBlock) {
  ASSERT_EQ(static_cast<int>(sizeof kRecorded / sizeof kRecorded[0]), kGoldenCaseCount)
      << "record the cases again with zr_app_golden";
  const Recording& recorded = kRecorded[GetParam()];
  const GoldenCase& c = kGoldenCases[GetParam()];
  ASSERT_EQ(recorded.c.rate, c.rate);
  ASSERT_EQ(recorded.c.x, c.x);
  ASSERT_EQ(recorded.c.toggleEvery, c.toggleEvery);
  ASSERT_EQ(recorded.c.sweep, c.sweep);
  testing::internal::CaptureStdout();
  const std::vector<uint64_t> hashes = goldenBlockHashes(c);
  testing::internal::GetCapturedStdout();
  ASSERT_EQ(hashes.size(), recorded.hashes.size());
  for (size_t block = 0; block < hashes.size(); ++block)
    ASSERT_EQ(hashes[block], recorded.hashes[block]) << "first divergence in block " << block;
}

INSTANTIATE_TEST_SUITE_P(Cases, ApplicationGolden, testing::Range(0, kGoldenCaseCount));

}  // namespace
