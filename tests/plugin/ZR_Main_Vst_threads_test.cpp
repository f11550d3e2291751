// Hosts set parameters on one thread while another runs blocks (and reads the parameters back).
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "VstTestHost.h"
#include "plugin/ZR_Main_Vst.h"

namespace {

TEST(MainVstThreads, ParametersChangeWhileBlocksRun) {
  VstTestHost host;
  host.replies[audioMasterVersion] = 2400;
  auto* effect = new ZR_Main_Vst(VstTestHost::callback);
  AEffect* record = effect->getAeffect();
  testing::internal::CaptureStdout();
  record->dispatcher(record, effSetSampleRate, 0, 0, nullptr, 44100.0f);
  record->dispatcher(record, effOpen, 0, 0, nullptr, 0.0f);

  std::atomic<bool> done{false};
  std::thread audio([&] {
    std::vector<float> input(256), left(256), right(256);
    for (size_t i = 0; i < input.size(); ++i) input[i] = (i % 32) < 16 ? 0.5f : -0.5f;
    float* in[] = {input.data()};
    float* out[] = {left.data(), right.data()};
    float seen = 0.0f;
    while (!done.load(std::memory_order_relaxed)) {
      record->processReplacing(record, in, out, 256);
      seen += record->getParameter(record, 0) + record->getParameter(record, 1);
    }
    EXPECT_GE(seen, 0.0f);
  });
  for (int i = 0; i < 2000; ++i) {
    record->setParameter(record, 0, (i % 3) ? 1.0f : 0.0f);
    record->setParameter(record, 1, static_cast<float>(i % 100) / 100.0f);
    if (i % 100 == 0)
      record->dispatcher(record, effSetSampleRate, 0, 0, nullptr, (i % 200) ? 48000.0f : 44100.0f);
  }
  done = true;
  audio.join();
  EXPECT_EQ(record->dispatcher(record, effClose, 0, 0, nullptr, 0.0f), 1);
  testing::internal::GetCapturedStdout();
}

}  // namespace

namespace {

// Hosts that scan plug-ins create and close instances on several threads at once.
TEST(MainVstThreads, InstancesAreCreatedAndClosedOnSeveralThreads) {
  VstTestHost host;
  host.replies[audioMasterVersion] = 2400;
  testing::internal::CaptureStdout();
  std::vector<std::thread> scanners;
  for (int t = 0; t < 3; ++t)
    scanners.emplace_back([] {
      for (int i = 0; i < 20; ++i) {
        auto* effect = new ZR_Main_Vst(VstTestHost::callback);
        AEffect* record = effect->getAeffect();
        EXPECT_EQ(record->getParameter(record, 0), 1.0f);
        EXPECT_EQ(record->dispatcher(record, effClose, 0, 0, nullptr, 0.0f), 1);
      }
    });
  for (std::thread& scanner : scanners) scanner.join();
  testing::internal::GetCapturedStdout();
}

}  // namespace
