// The wave device "Windows" on the system's own wave audio under Wine, through virtual ALSA
// devices that the test sets up: capture reads a file of numbered frames, playback writes a file.
// A pass-through client copies input to output; every block that reaches the output file must be
// a block of the input file, bit for bit. Wine does not pace these devices in real time and drops
// input blocks, so blocks are checked one by one, not for continuity.
//
//   qorm_wave_test DIRECTORY [gtest options]
// DIRECTORY (a Unix path) receives asound.conf, in.raw, copy.raw and out.raw; ALSA_CONFIG_PATH
// must name DIRECTORY/asound.conf after the system's alsa.conf.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "rts/ZR_Rts_instances.h"
#include "win32/ZR_Rts_Win32.h"

namespace {

std::string unixDirectory;

constexpr int32_t kFrames = 44100 * 30;  // more than a run reads
constexpr int32_t kBlockFrames = 441;

std::string windowsPath(const std::string& name) { return "Z:" + unixDirectory + "/" + name; }

// Frame n: left = the low 16 bits of n, right = 0x4000 | the bits above, so no frame is silent and
// every frame names its place.
void frame(int32_t n, int16_t* lr) {
  lr[0] = static_cast<int16_t>(n & 0xFFFF);
  lr[1] = static_cast<int16_t>(0x4000 | n >> 16);
}

bool writeFile(const std::string& path, const void* data, size_t size) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  const bool ok = std::fwrite(data, 1, size, f) == size;
  return std::fclose(f) == 0 && ok;
}

std::vector<int16_t> readFile(const std::string& path) {
  std::vector<int16_t> samples;
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return samples;
  int16_t buffer[4096];
  size_t n;
  while ((n = std::fread(buffer, sizeof(int16_t), 4096, f)) > 0)
    samples.insert(samples.end(), buffer, buffer + n);
  std::fclose(f);
  return samples;
}

// The default PCM: playback into a file over the null device, capture from a file through a copy
// stage (without it Wine asks for more frames in one read than the file plugin holds).
bool writeAlsaConfig() {
  const std::string d = unixDirectory;
  const std::string text =
      "pcm.!default { type asym; playback.pcm \"qorm_out\"; capture.pcm \"qorm_in\" }\n"
      "pcm.qorm_out { type file; slave.pcm \"null\"; file \"" +
      d + "/out.raw\"; format \"raw\" }\n" +
      "pcm.qorm_in { type copy; slave.pcm \"qorm_in_file\" }\n"
      "pcm.qorm_in_file { type file; slave.pcm \"null\"; file \"" +
      d + "/copy.raw\"; infile \"" + d + "/in.raw\"; format \"raw\" }\n";
  return writeFile(windowsPath("asound.conf"), text.data(), text.size());
}

struct PassThrough {
  std::atomic<int> blocks{0};
  std::atomic<int> refused{0};
  std::atomic<ZR_Rts*> device{nullptr};
};
PassThrough gClient;

// [wave-in thread] Input channel k to output channel k, 16 bits to 16 bits: an exact copy.
void passThrough() {
  ZR_Rts* d = gClient.device.load();
  ZR_Chain_Item* in = d->inputs.first();
  ZR_Chain_Item* out = d->outputs.first();
  for (; in != d->inputs.end() && out != d->outputs.end(); in = in->next, out = out->next) {
    if (ZR_Rts::copyBuffer(static_cast<ZR_Rts::Chan*>(out->data), static_cast<ZR_Rts::Chan*>(in->data)) !=
        ZR_OK)
      ++gClient.refused;
  }
  ++gClient.blocks;
}

TEST(WaveDevice, PassesEveryBlockThroughBitForBit) {
  ASSERT_TRUE(writeAlsaConfig());
  std::vector<int16_t> input(2 * static_cast<size_t>(kFrames));
  for (int32_t n = 0; n < kFrames; ++n) frame(n, &input[2 * n]);
  ASSERT_TRUE(writeFile(windowsPath("in.raw"), input.data(), input.size() * sizeof(int16_t)));

  ASSERT_EQ(ZR_Rts_Win32::classInit(&passThrough), ZR_OK);
  ASSERT_EQ(ZR_Rts_instances.count, 1);
  ZR_Rts_Win32* device = static_cast<ZR_Rts_Win32*>(ZR_Rts_instances.first()->data);
  gClient.device = device;
  ASSERT_EQ(device->init(), ZR_OK);

  std::vector<ZR_Rts::Mode*> modes;
  device->modes.forEach<ZR_Rts::Mode>([&](ZR_Rts::Mode* m) { modes.push_back(m); });
  for (ZR_Rts::Mode* m : modes) std::printf("mode: %s\n", m->text);
  // The virtual devices open every format probed; 44.1 kHz 16-bit stereo is the last.
  ASSERT_EQ(modes.size(), 24u);
  EXPECT_STREQ(modes[0]->text, " 48.0 kHz, 32 bit, quadro");
  ZR_Rts::Mode* mode = modes[23];
  ASSERT_STREQ(mode->text, " 44.1 kHz, 16 bit, stereo");

  ASSERT_EQ(device->mode(mode), ZR_OK);
  const auto start = std::chrono::steady_clock::now();
  while (gClient.blocks < 300 && std::chrono::steady_clock::now() - start < std::chrono::seconds(20))
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  const auto freeStart = std::chrono::steady_clock::now();
  EXPECT_EQ(device->free(), ZR_OK);
  const auto freeTime = std::chrono::steady_clock::now() - freeStart;
  std::printf(
      "blocks: %d, free took %lld ms\n", gClient.blocks.load(),
      static_cast<long long>(std::chrono::duration_cast<std::chrono::milliseconds>(freeTime).count()));
  EXPECT_GE(gClient.blocks, 100);
  EXPECT_EQ(gClient.refused, 0);
  EXPECT_LT(freeTime, std::chrono::seconds(3));
  EXPECT_EQ(device->done(), ZR_OK);
  ZR_Rts_Win32::classDone();

  // Walk the output: silent frames are the device's silence; a sounding frame starts a block of
  // 441 frames that must be the input's frames from the one it names. Only the block that the
  // output's reset cut off may end early, in the silence that ends the file.
  const std::vector<int16_t> output = readFile(windowsPath("out.raw"));
  const size_t frames = output.size() / 2;
  auto silent = [&](size_t q) { return output[2 * q] == 0 && output[2 * q + 1] == 0; };
  int good = 0, cut = 0, bad = 0;
  for (size_t p = 0; p < frames;) {
    if (silent(p)) {
      ++p;
      continue;
    }
    const int32_t n = static_cast<uint16_t>(output[2 * p]) | (output[2 * p + 1] & 0x3FFF) << 16;
    size_t same = 0;
    while (same < kBlockFrames && p + same < frames && n + same < static_cast<size_t>(kFrames) &&
           std::memcmp(&output[2 * (p + same)], &input[2 * (n + same)], 4) == 0)
      ++same;
    bool restSilent = true;
    for (size_t q = p + same; q < frames && restSilent; ++q) restSilent = silent(q);
    if (same == kBlockFrames) {
      ++good;
    } else if (restSilent) {
      ++cut;
    } else if (bad++ < 5) {
      ADD_FAILURE() << "output frame " << p << " starts no block of the input (" << same << " frames agree)";
    }
    p += same == 0 ? 1 : same;
  }
  std::printf("output: %zu frames, %d blocks from the input, %d cut by the reset, %d others\n", frames, good,
              cut, bad);
  EXPECT_GE(good, 20);
  EXPECT_LE(cut, 1);
  EXPECT_EQ(bad, 0);
}

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: qorm_wave_test DIRECTORY [gtest options]\n");
    return 2;
  }
  unixDirectory = argv[1];
  return RUN_ALL_TESTS();
}
