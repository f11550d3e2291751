// End to end: qorm.exe started as a program on Wine's wave device, whose ALSA configuration (the
// test's own) records from an input file and plays into an output file. The input holds a 100 Hz
// and a 5 kHz tone, both whole periods in a 441-frame block; the 44.1 kHz 16-bit stereo mode is
// selected by posted commands (the wave device, then its mode); the recorded output must show the 100 Hz tone
// passing and the 5 kHz tone attenuated as the product's own response at its default cutoff says (qorm.dll
// run on the same signal in this process). Wine does not pace these files in real time and drops blocks:
// every 441-frame block is measured on its own.
//
//   qorm_host_e2e QORM_EXE QORM_DLL DATA_DIR     (DATA_DIR: the Unix directory of in.raw and out.raw)
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "TestHost.h"
#include "win32/asio/ZR_Rts_Asio.h"

namespace {

std::string exePath, dllPath, dataDir;

constexpr int kRate = 44100;
constexpr int kBlock = 441;  // one 100 Hz period, fifty 5 kHz periods
constexpr double kAmplitude = 0.25;
constexpr double kPi = 3.14159265358979323846;

// A Unix path as Wine's drive Z: names it.
std::string windowsPath(const std::string& unixPath) {
  std::string path = "Z:" + unixPath;
  std::replace(path.begin(), path.end(), '/', '\\');
  return path;
}

double tone(int n) {
  return kAmplitude * std::sin(2.0 * kPi * 100.0 * n / kRate) +
         kAmplitude * std::sin(2.0 * kPi * 5000.0 * n / kRate);
}

// Amplitude of the component with k periods per block, from one block of samples.
double amplitude(const std::vector<double>& block, int k) {
  double re = 0.0, im = 0.0;
  for (size_t n = 0; n < block.size(); ++n) {
    re += block[n] * std::cos(2.0 * kPi * k * static_cast<double>(n) / kBlock);
    im -= block[n] * std::sin(2.0 * kPi * k * static_cast<double>(n) / kBlock);
  }
  return 2.0 * std::hypot(re, im) / kBlock;
}

double dB(double gain) { return 20.0 * std::log10(gain); }

struct Response {
  double low, high;  // gains at 100 Hz and 5 kHz, in dB
};

// What the product does to the two tones: qorm.dll in this process, settled over half a second.
Response expectedResponse() {
  TestHost host;
  EXPECT_TRUE(host.load(dllPath)) << host.error();
  AEffect* effect = host.create();
  if (!effect) return {0.0, 0.0};
  effect->dispatcher(effect, effSetSampleRate, 0, 0, nullptr, static_cast<float>(kRate));
  std::vector<float> in(kBlock), left(kBlock), right(kBlock);
  float* inputs[] = {in.data()};
  float* outputs[] = {left.data(), right.data()};
  for (int b = 0; b < 50; ++b) {
    for (int n = 0; n < kBlock; ++n) in[static_cast<size_t>(n)] = static_cast<float>(tone(n));
    effect->processReplacing(effect, inputs, outputs, kBlock);
  }
  const std::vector<double> block(left.begin(), left.end());
  effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
  return {dB(amplitude(block, 1) / kAmplitude), dB(amplitude(block, 50) / kAmplitude)};
}

// The index of the 44.1 kHz 16-bit stereo mode in the wave device's list, found the way the device
// probes: widths 32, 24, 16; rates 48, 96, 192, 44.1 kHz; four output channels before two.
int waveModeIndex() {
  int index = 0;
  for (int bits : {32, 24, 16}) {
    for (int rate : {48000, 96000, 192000, 44100}) {
      WAVEFORMATEX format{};
      format.wFormatTag = WAVE_FORMAT_PCM;
      format.nChannels = 2;
      format.nSamplesPerSec = static_cast<DWORD>(rate);
      format.wBitsPerSample = static_cast<WORD>(bits);
      format.nBlockAlign = static_cast<WORD>(2 * bits / 8);
      format.nAvgBytesPerSec = static_cast<DWORD>(rate) * format.nBlockAlign;
      HWAVEIN in = nullptr;
      if (waveInOpen(&in, 0, &format, 0, 0, WAVE_MAPPED | WAVE_FORMAT_DIRECT) != MMSYSERR_NOERROR) continue;
      waveInClose(in);
      for (int channels : {4, 2}) {
        format.nChannels = static_cast<WORD>(channels);
        format.nBlockAlign = static_cast<WORD>(channels * bits / 8);
        format.nAvgBytesPerSec = static_cast<DWORD>(rate) * format.nBlockAlign;
        HWAVEOUT out = nullptr;
        if (waveOutOpen(&out, 0, &format, 0, 0, WAVE_MAPPED | WAVE_FORMAT_DIRECT) != MMSYSERR_NOERROR)
          continue;
        waveOutClose(out);
        if (bits == 16 && rate == 44100 && channels == 2) return index;
        ++index;
      }
    }
  }
  return -1;
}

// The wave device's place in the host's Audio menu: after every ASIO driver of the prefix (another
// test may have registered its own), listed the way the host lists them.
int waveDeviceIndex() {
  if (ZR_Rts_Asio::classInit([] {}) != ZR_OK) return -1;
  int drivers = 0;
  ZR_Rts_Asio::asioClass.list.forEach<ZR_Rts_Asio>([&](ZR_Rts_Asio*) { ++drivers; });
  ZR_Rts_Asio::classDone();
  return drivers;
}

HWND waitForWindow(const char* className, int seconds) {
  for (int i = 0; i < seconds * 20; ++i) {
    if (HWND window = FindWindowA(className, nullptr)) return window;
    Sleep(50);
  }
  return nullptr;
}

TEST(HostEndToEnd, TheWaveDevicePlaysTheFilteredInput) {
  const Response expected = expectedResponse();

  // Sixty seconds of input: Wine records several times faster than real time.
  {
    std::ofstream in(windowsPath(dataDir + "/in.raw"), std::ios::binary);
    ASSERT_TRUE(in);
    std::vector<int16_t> block(2 * kBlock);
    for (int n = 0; n < kBlock; ++n)
      block[static_cast<size_t>(2 * n)] = block[static_cast<size_t>(2 * n + 1)] =
          static_cast<int16_t>(std::lround(tone(n) * 32767.0));
    for (int b = 0; b < 60 * 100; ++b)
      in.write(reinterpret_cast<const char*>(block.data()), static_cast<std::streamsize>(block.size() * 2));
  }
  DeleteFileA(windowsPath(dataDir + "/out.raw").c_str());
  const int mode = waveModeIndex();
  ASSERT_GE(mode, 0) << "the virtual device offers 44.1 kHz, 16 bit, stereo";
  const int device = waveDeviceIndex();
  ASSERT_GE(device, 0);

  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  std::string command = "\"" + windowsPath(exePath) + "\"";
  ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                             &process));
  HWND window = waitForWindow("ZRWINDOW", 60);
  ASSERT_NE(window, nullptr);
  Sleep(1000);
  PostMessageA(window, WM_COMMAND, 0x1000 + static_cast<WPARAM>(device), 0);
  PostMessageA(window, WM_COMMAND, 0x2000 + static_cast<WPARAM>(mode), 0);
  Sleep(4000);
  PostMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(WaitForSingleObject(process.hProcess, 60000), WAIT_OBJECT_0);
  DWORD exitCode = 1;
  GetExitCodeProcess(process.hProcess, &exitCode);
  EXPECT_EQ(exitCode, 0u);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);

  // The output: 16-bit stereo, the file begun anew when the mode was opened.
  std::ifstream out(windowsPath(dataDir + "/out.raw"), std::ios::binary);
  ASSERT_TRUE(out);
  const std::vector<char> bytes((std::istreambuf_iterator<char>(out)), std::istreambuf_iterator<char>());
  const size_t frames = bytes.size() / 4;
  std::vector<double> lows[2], highs[2];
  for (size_t start = 0; start + kBlock <= frames; start += kBlock) {
    std::vector<double> channel[2];
    bool silent = true;
    for (size_t f = start; f < start + kBlock; ++f) {
      for (int c = 0; c < 2; ++c) {
        int16_t v;
        std::memcpy(&v, bytes.data() + f * 4 + static_cast<size_t>(c) * 2, 2);
        silent = silent && v == 0;
        channel[c].push_back(v / 32768.0);
      }
    }
    if (silent) continue;
    for (int c = 0; c < 2; ++c) {
      lows[c].push_back(dB(amplitude(channel[c], 1) / kAmplitude));
      highs[c].push_back(dB(amplitude(channel[c], 50) / kAmplitude));
    }
  }
  ASSERT_GT(lows[0].size(), 20u) << "blocks played: " << frames / kBlock;
  for (int c = 0; c < 2; ++c) {
    // Blocks next to a gap or a dropped input block measure low; the median is the steady tone.
    std::sort(lows[c].begin(), lows[c].end());
    std::sort(highs[c].begin(), highs[c].end());
    const double low = lows[c][lows[c].size() / 2], high = highs[c][highs[c].size() / 2];
    std::printf("channel %d: 100 Hz %+.2f dB (expected %+.2f), 5 kHz %+.2f dB (expected %+.2f), %zu blocks\n",
                c, low, expected.low, high, expected.high, lows[c].size());
    EXPECT_NEAR(low, expected.low, 0.5);
    EXPECT_NEAR(high, expected.high, 1.0);
    EXPECT_LT(high, low - 20.0);
  }
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (argc < 4) {
    std::fprintf(stderr, "usage: qorm_host_e2e QORM_EXE QORM_DLL DATA_DIR\n");
    return 2;
  }
  exePath = argv[1];
  dllPath = argv[2];
  dataDir = argv[3];
  return RUN_ALL_TESTS();
}
