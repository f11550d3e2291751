// What a host may call from its audio thread behaves like audio code: a parameter change, the
// knob's own change and a block allocate nothing, with the editor attached.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "AllocationCounter.h"
#include "VstTestHost.h"
#include "gfx/ZR_Win.h"
#include "plugin/ZR_Main_Vst.h"
#include "wid/ZR_Wid_Knob.h"

namespace {

// Composes into nothing: the window thread's work without a screen.
class NoScreen final : public ZR_Win::Target {
 public:
  void copy(const ZR_Rect&, int32_t, int32_t) override {}
};

class MainVstRealtime : public testing::Test {
 protected:
  void SetUp() override {
    host.replies[audioMasterVersion] = 2400;
    effect = new ZR_Main_Vst(VstTestHost::callback);
    record = effect->getAeffect();
    record->dispatcher(record, effSetSampleRate, 0, 0, nullptr, 44100.0f);
    record->dispatcher(record, effOpen, 0, 0, nullptr, 0.0f);
    effect->application.attach(&window);
    show();
  }
  void TearDown() override {
    effect->application.detach();
    testing::internal::CaptureStdout();
    record->dispatcher(record, effClose, 0, 0, nullptr, 0.0f);
    testing::internal::GetCapturedStdout();
  }

  // The window thread's turn: the refresh a change asked for, then a full paint.
  void show() {
    window.refreshIfRequested();
    window.paint({0, 0, window.width, window.height}, screen);
  }
  void block() {
    float* in[] = {input.data()};
    float* out[] = {left.data(), right.data()};
    record->processReplacing(record, in, out, static_cast<VstInt32>(input.size()));
  }
  // Heap allocations that run() makes on this thread.
  template <typename Run>
  uint64_t allocationsOf(Run&& run) {
    const uint64_t before = allocationsOnThisThread();
    run();
    return allocationsOnThisThread() - before;
  }

  VstTestHost host;
  ZR_Main_Vst* effect = nullptr;
  AEffect* record = nullptr;
  ZR_Win window{200, 236};
  NoScreen screen;
  std::vector<float> input = std::vector<float>(512, 0.25f), left = input, right = input;
};

int* volatile kept = nullptr;  // so the compiler cannot leave the allocation out

TEST_F(MainVstRealtime, TheCounterSeesAnAllocation) {
  EXPECT_EQ(allocationsOf([] { kept = new int(1); }), 1u);
  delete kept;
}

TEST_F(MainVstRealtime, ParameterChangesAndBlocksAllocateNothing) {
  const ZR_Application& app = effect->application;
  EXPECT_EQ(allocationsOf([&] { record->setParameter(record, 1, 0.8f); }), 0u) << "Frequency";
  EXPECT_EQ(app.frequency.real(), 20.0f + 0.8f * 9980.0f);
  EXPECT_EQ(allocationsOf([&] { record->setParameter(record, 0, 0.0f); }), 0u) << "State off";
  EXPECT_EQ(allocationsOf([&] { record->setParameter(record, 0, 1.0f); }), 0u) << "State on";
  EXPECT_EQ(app.state.word(), 1);
  EXPECT_EQ(allocationsOf([&] { block(); }), 0u) << "processReplacing";
  show();  // the window thread may allocate: it renders the read-out
}

TEST_F(MainVstRealtime, AKnobDragStepAllocatesNothing) {
  const ZR_Application& app = effect->application;
  auto* knob = static_cast<ZR_Wid_Knob*>(app.widgets[ZR_Application::kKnob]);
  const int32_t x = knob->left + knob->width / 2, y = knob->top + knob->height / 2;
  window.onMouseMove(x, y);
  window.onButtonDown(x, y);
  ASSERT_EQ(window.captured, static_cast<ZR_Win_Element*>(knob));
  const float before = app.frequency.real();
  EXPECT_EQ(allocationsOf([&] { window.onMouseMove(x + 10, y); }), 0u);
  EXPECT_GT(app.frequency.real(), before) << "the step turned the knob";
  window.onButtonUp();
}

}  // namespace
