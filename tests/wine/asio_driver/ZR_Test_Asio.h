#pragma once
// What the test ASIO driver (zrasio.dll) and the tests that drive it share: its identity, its
// channels, the samples it delivers and what it records.
#include <cstdint>

#define ZR_TEST_ASIO_CLSID_TEXT "{6D1B2C3A-8E4F-4C21-9A0B-5152524D4153}"
#define ZR_TEST_ASIO_DESCRIPTION "QORM test driver"

namespace zr_test_asio {

// Three inputs and three outputs; the middle one of each has a type the host must skip
// (big-endian 32-bit integer in, DSD out).
constexpr int32_t kChannels = 3;
constexpr int32_t kInputTypes[kChannels] = {18, 2, 18};
constexpr int32_t kOutputTypes[kChannels] = {18, 32, 18};
constexpr int32_t kMinSize = 64, kMaxSize = 1024, kPreferredSize = 128, kGranularity = 64;
constexpr double kRates[] = {48000.0, 44100.0};

/// The 32-bit sample the driver delivers on input channel ch at frame f of block b (counted from
/// start): the block in the high half, so a reader can tell one block from another.
constexpr int32_t sample(int32_t block, int32_t ch, int32_t frame) {
  return static_cast<int32_t>((static_cast<uint32_t>(block & 0x7fff) << 16) |
                              (static_cast<uint32_t>(ch) << 12) | static_cast<uint32_t>(frame));
}
/// What an output block holds before the host writes it.
constexpr int32_t kUnwritten = static_cast<int32_t>(0xDEADBEEFu);

/// Counters since the driver was loaded. Output channel c is expected to carry what input channel c
/// delivered in the same block.
struct Stats {
  int32_t switches;          // buffer switches called (plain and with time info)
  int32_t timeInfoSwitches;  // of which with time info
  int32_t outputBlocks;      // output blocks compared after their switch
  int32_t badOutputBlocks;   // of which differ from the expected samples
  int32_t liveObjects;       // driver objects not yet released
  int32_t liveBufferSets;    // createBuffers not yet disposed
  int32_t createsOverLive;   // createBuffers while earlier buffers were not disposed
  int32_t runningThreads;    // block threads started and not yet stopped
  int32_t starts;
  int32_t stops;
  int32_t bufferSize;   // of the last createBuffers
  int32_t bufferCount;  // descriptions of the last createBuffers
  double rate;          // last sample rate set
};

}  // namespace zr_test_asio

/// Exported by zrasio.dll under this undecorated name.
typedef void (*ZR_test_asio_stats_fn)(zr_test_asio::Stats* stats);
