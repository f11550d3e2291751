// Hosts call the plug-in on several threads at once.
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <thread>
#include <vector>

#include "VstTestHost.h"
#include "gfx/ZR_Win.h"
#include "plugin/ZR_Main_Vst.h"
#include "wid/ZR_Wid_Butt.h"
#include "wid/ZR_Wid_Knob.h"
#include "wid/ZR_Wid_Text.h"

namespace {

// Composes into nothing: the window thread's work without a screen.
class NoScreen final : public ZR_Win::Target {
 public:
  void copy(const ZR_Rect&, int32_t, int32_t) override {}
};

// A host sets parameters on one thread, runs blocks (and reads the parameters back) on another,
// while the editor's window thread refreshes and paints; ThreadSanitizer watches the three.
TEST(MainVstThreads, ParametersChangeWhileBlocksRunAndTheEditorPaints) {
  VstTestHost host;
  host.replies[audioMasterVersion] = 2400;
  auto* effect = new ZR_Main_Vst(VstTestHost::callback);
  AEffect* record = effect->getAeffect();
  ZR_Application& app = effect->application;
  testing::internal::CaptureStdout();
  record->dispatcher(record, effSetSampleRate, 0, 0, nullptr, 44100.0f);
  record->dispatcher(record, effOpen, 0, 0, nullptr, 0.0f);
  ZR_Win window(app.width, app.height);
  app.attach(&window);

  std::atomic<bool> done{false};
  std::atomic<int> paints{0};
  std::thread painter([&] {
    NoScreen screen;
    while (!done.load(std::memory_order_relaxed)) {
      window.refreshIfRequested();
      window.paint({0, 0, window.width, window.height}, screen);
      paints.fetch_add(1, std::memory_order_relaxed);
    }
  });
  int outOfRange = 0, broken = 0;
  std::thread audio([&] {
    std::vector<float> input(256), left(256), right(256);
    for (size_t i = 0; i < input.size(); ++i) input[i] = (i % 32) < 16 ? 0.5f : -0.5f;
    float* in[] = {input.data()};
    float* out[] = {left.data(), right.data()};
    while (!done.load(std::memory_order_relaxed)) {
      record->processReplacing(record, in, out, 256);
      for (VstInt32 index : {0, 1}) {
        const float p = record->getParameter(record, index);
        outOfRange += !(p >= 0.0f && p <= 1.0f);
      }
      // Retuned and switched between blocks, the recursion overshoots (about 1.5 for this half-scale
      // square wave at the worst jumps), but every sample stays a number and both channels carry it.
      for (size_t i = 0; i < left.size(); ++i) broken += !std::isfinite(left[i]) || right[i] != left[i];
    }
  });
  for (int i = 0; i < 2000; ++i) {
    record->setParameter(record, 0, (i % 3) ? 1.0f : 0.0f);
    record->setParameter(record, 1, static_cast<float>(i % 100) / 100.0f);
    if (i % 100 == 0)
      record->dispatcher(record, effSetSampleRate, 0, 0, nullptr, (i % 200) ? 48000.0f : 44100.0f);
  }
  record->setParameter(record, 0, 1.0f);
  record->setParameter(record, 1, 0.25f);
  const int paintedBefore = paints.load();
  while (paints.load() < paintedBefore + 2) std::this_thread::yield();
  done = true;
  audio.join();
  painter.join();
  window.refreshIfRequested();             // the last change may have come in after the painter's last turn
  testing::internal::GetCapturedStdout();  // the trace lines; failures below must still show

  EXPECT_EQ(outOfRange, 0);
  EXPECT_EQ(broken, 0);
  // The editor shows the last values the host set: knob value 2515, cutoff 643.75 Hz.
  EXPECT_EQ(record->getParameter(record, 1), 0.25f);
  auto* knob = static_cast<ZR_Wid_Knob*>(app.widgets[ZR_Application::kKnob]);
  EXPECT_NEAR(knob->value(), 2515.0f, 9980.0f / 264.0f);
  EXPECT_STREQ(static_cast<ZR_Wid_Text*>(app.widgets[ZR_Application::kReadout])->text(), "644 Hz");
  EXPECT_EQ(static_cast<ZR_Wid_Butt*>(app.widgets[ZR_Application::kOnOffButton])->state, true);
  app.detach();
  EXPECT_EQ(record->dispatcher(record, effClose, 0, 0, nullptr, 0.0f), 1);
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
