// The host core with fake devices and stub effects: menus, instances and inputs, the mix, the
// requests every effect receives, and the lock between commands and blocks.
#include "host/ZR_Host.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "FakeHostWindow.h"
#include "FakeRts.h"
#include "StubEffect.h"
#include "cmd/ZR_message_box.h"
#include "host/ZR_Host_callback.h"

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using W = ZR_Host_Window;

namespace {

/// The error reports shown while it lives.
class Reports {
 public:
  Reports() : previous_(ZR_set_message_sink(&Reports::sink)) { all().clear(); }
  ~Reports() {
    ZR_set_message_sink(previous_);
    onReport() = nullptr;
  }
  const std::vector<std::string>& shown() const { return all(); }
  /// Runs inside the next reports, as the message loop of a modal box runs on the window thread.
  static std::function<void()>& onReport() {
    static std::function<void()> f;
    return f;
  }

 private:
  static std::vector<std::string>& all() {
    static std::vector<std::string> texts;
    return texts;
  }
  static void sink(const char* text, const char*) {
    all().push_back(text);
    if (onReport()) onReport()();
  }
  ZR_message_sink previous_;
};

const std::vector<FakeRts::ModeInfo> kWaveModes = {{48000, 16, 480, 2}, {44100, 16, 441, 2}};
constexpr int32_t kBlock = 480;  // the first mode's

class HostTest : public ::testing::Test {
 protected:
  HostTest() { StubEffect::reset(); }
  ~HostTest() override { host.reset(); }

  FakeRts& addDevice(const char* name, int32_t inputs, int32_t outputs,
                     std::vector<FakeRts::ModeInfo> modes = kWaveModes) {
    fakes.push_back(std::make_unique<FakeRts>(name, inputs, outputs, std::move(modes)));
    devices.insert(&fakes.back()->instanceLink);
    return *fakes.back();
  }

  /// The start-up the window layer runs: devices, then the first instance.
  void start(ZR_Host::Entry entry = StubEffect::entry) {
    host = std::make_unique<ZR_Host>(window, entry);
    host->listDevices(devices);
    host->command(ZR_Host::kAddInstance);
  }

  ZR_error run(uint32_t id) { return host->command(id); }
  FakeRts& fake(int i) { return *fakes[static_cast<size_t>(i)]; }

  Reports reports;
  FakeHostWindow window;
  ZR_Chain devices;
  std::vector<std::unique_ptr<FakeRts>> fakes;
  std::unique_ptr<ZR_Host> host;
};

// --- host callback ---

TEST(HostCallback, AnswersVersionVendorAndNothingElse) {
  char vendor[kVstMaxVendorStrLen] = "unchanged";
  EXPECT_EQ(ZR_host_callback(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f), 2400);
  EXPECT_EQ(ZR_host_callback(nullptr, audioMasterGetVendorString, 0, 0, vendor, 0.0f), 1);
  EXPECT_STREQ(vendor, "Steinberg Media Technologies");
  // The pointer is checked before the write: no text, no answer.
  EXPECT_EQ(ZR_host_callback(nullptr, audioMasterGetVendorString, 0, 0, nullptr, 0.0f), 0);
  char untouched[8] = "same";
  for (VstInt32 opcode :
       {VstInt32{audioMasterAutomate}, VstInt32{audioMasterIdle}, VstInt32{audioMasterGetProductString},
        VstInt32{audioMasterGetSampleRate}, VstInt32{audioMasterCanDo}, VstInt32{9999}})
    EXPECT_EQ(ZR_host_callback(nullptr, opcode, 1, 2, untouched, 1.0f), 0) << opcode;
  EXPECT_STREQ(untouched, "same");
}

TEST_F(HostTest, EffectsGetTheHostCallback) {
  addDevice("Windows", 2, 2);
  start();
  EXPECT_EQ(StubEffect::masterVersion, 2400);
  EXPECT_EQ(StubEffect::vendor, "Steinberg Media Technologies");
}

// --- start-up and the device menu ---

TEST_F(HostTest, ListsDevicesInOrderAndOpensTheFirstInItsFirstMode) {
  FakeRts& asio = addDevice("ASIO Test Driver", 2, 2, {{44100, 32, 256, 2}});
  FakeRts& wave = addDevice("Windows", 2, 2);
  start();
  EXPECT_THAT(window.texts(W::kAudio), ElementsAre("ASIO Test Driver", "Windows"));
  EXPECT_EQ(window.popups[W::kAudio][0].id, 0x1000);
  EXPECT_EQ(window.popups[W::kAudio][1].id, 0x1001);
  EXPECT_EQ(window.popups[W::kAudio][1].data, &wave);
  EXPECT_THAT(window.checked(W::kAudio), ElementsAre(0));
  EXPECT_THAT(asio.calls, ElementsAre("init", "mode 0"));
  EXPECT_TRUE(wave.calls.empty()) << "the wave device is not opened at start";
  EXPECT_THAT(window.texts(W::kMode), ElementsAre(" 44.1 kHz, 32 bit, stereo"));
  EXPECT_THAT(window.checked(W::kMode), ElementsAre(0));
  EXPECT_THAT(window.texts(W::kInput), ElementsAre("In 1", "In 2"));
  EXPECT_THAT(window.checked(W::kInput), ElementsAre(0));
  EXPECT_THAT(window.texts(W::kChannel), ElementsAre("1. In 1"));
  EXPECT_FALSE(window.misused);
}

TEST_F(HostTest, WithoutDevicesReportsAndRunsUnconnected) {
  start();
  ASSERT_EQ(reports.shown().size(), 1u);
  EXPECT_THAT(reports.shown()[0], HasSubstr("Error: No audio drivers found"));
  EXPECT_THAT(reports.shown()[0], HasSubstr("Proc: WinMain"));
  EXPECT_TRUE(window.popups[W::kAudio].empty());
  EXPECT_TRUE(window.popups[W::kMode].empty());
  EXPECT_THAT(window.texts(W::kChannel), ElementsAre("1. Unconnected"));
  EXPECT_EQ(run(0x6000), nullptr);
}

// --- instances and inputs ---

TEST_F(HostTest, InstancesTakeTheFirstUnusedInput) {
  addDevice("Windows", 2, 2);
  start();
  run(ZR_Host::kAddInstance);
  run(ZR_Host::kAddInstance);
  EXPECT_THAT(window.texts(W::kChannel), ElementsAre("1. In 1", "2. In 2", "3. Unconnected"));
  EXPECT_EQ(host->instance(2).input, -1);
  EXPECT_EQ(host->inputSlot(0).uses, 1);
  EXPECT_EQ(host->inputSlot(1).uses, 1);
  // The newest instance is current, and an unconnected one checks no input.
  EXPECT_THAT(window.checked(W::kChannel), ElementsAre(2));
  EXPECT_TRUE(window.checked(W::kInput).empty());
  // Freeing the first input gives it to the next instance made.
  run(0x5000);
  run(0x6001);
  EXPECT_EQ(host->inputSlot(0).uses, 0);
  run(ZR_Host::kAddInstance);
  EXPECT_EQ(window.texts(W::kChannel)[3], "4. In 1");
}

TEST_F(HostTest, DeletingTheSecondOfThreeRenumbersTheThird) {
  addDevice("Windows", 2, 2);
  start();
  run(ZR_Host::kAddInstance);
  run(ZR_Host::kAddInstance);
  run(0x5001);
  ASSERT_EQ(run(ZR_Host::kDeleteInstance), ZR_OK);
  EXPECT_THAT(window.texts(W::kChannel), ElementsAre("1. In 1", "2. Unconnected"));
  EXPECT_EQ(window.popups[W::kChannel][1].id, 0x5001);
  EXPECT_EQ(host->currentInstance(), 0);
  EXPECT_THAT(window.checked(W::kChannel), ElementsAre(0));
  EXPECT_THAT(window.checked(W::kInput), ElementsAre(0));
  EXPECT_EQ(StubEffect::find(1), nullptr) << "the deleted instance's effect is closed";
  EXPECT_NE(StubEffect::find(2), nullptr);
  EXPECT_EQ(host->inputSlot(1).uses, 0);
  // The first instance's editor is shown: it was closed for the second, then opened again.
  EXPECT_EQ(StubEffect::opcodesOf(0).back(), effEditOpen);
  // Deleting the first selects the second, which becomes the first.
  ASSERT_EQ(run(ZR_Host::kDeleteInstance), ZR_OK);
  EXPECT_THAT(window.texts(W::kChannel), ElementsAre("1. Unconnected"));
  EXPECT_THAT(window.checked(W::kChannel), ElementsAre(0));
  EXPECT_FALSE(window.misused);
}

TEST_F(HostTest, DeleteGreysBelowTwoInstancesAndAddAtThirtyTwo) {
  addDevice("Windows", 2, 2);
  start();
  EXPECT_FALSE(window.enabled[ZR_Host::kDeleteInstance]);
  EXPECT_EQ(run(ZR_Host::kDeleteInstance), nullptr) << "the last instance stays";
  EXPECT_EQ(host->instanceCount(), 1);
  run(ZR_Host::kAddInstance);
  EXPECT_TRUE(window.enabled[ZR_Host::kDeleteInstance]);
  run(ZR_Host::kDeleteInstance);
  EXPECT_FALSE(window.enabled[ZR_Host::kDeleteInstance]);

  while (host->instanceCount() < ZR_Host::kTableSize) ASSERT_EQ(run(ZR_Host::kAddInstance), ZR_OK);
  EXPECT_FALSE(window.enabled[ZR_Host::kAddInstance]);
  EXPECT_EQ(run(ZR_Host::kAddInstance), nullptr);
  EXPECT_EQ(host->instanceCount(), 32);
  EXPECT_EQ(window.popups[W::kChannel].size(), 32u);
  EXPECT_EQ(window.texts(W::kChannel)[31], "32. Unconnected");
  run(ZR_Host::kDeleteInstance);
  EXPECT_TRUE(window.enabled[ZR_Host::kAddInstance]);
}

TEST_F(HostTest, ConnectingAnInputMovesTheCountAndTheCheck) {
  addDevice("Windows", 2, 2);
  start();
  ASSERT_EQ(run(0x6001), ZR_OK);
  EXPECT_THAT(window.texts(W::kChannel), ElementsAre("1. In 2"));
  EXPECT_THAT(window.checked(W::kInput), ElementsAre(1));
  EXPECT_EQ(host->inputSlot(0).uses, 0);
  EXPECT_EQ(host->inputSlot(1).uses, 1);
  ASSERT_EQ(run(0x6001), ZR_OK);  // again: counted once
  EXPECT_EQ(host->inputSlot(1).uses, 1);
}

TEST_F(HostTest, ADeviceWithFewerInputsUnconnectsInstances) {
  addDevice("Big", 4, 2);
  addDevice("Small", 1, 2);
  start();
  run(ZR_Host::kAddInstance);
  run(ZR_Host::kAddInstance);
  run(0x5000);
  ASSERT_EQ(run(0x1001), ZR_OK);
  EXPECT_THAT(window.texts(W::kChannel), ElementsAre("1. In 1", "2. Unconnected", "3. Unconnected"));
  EXPECT_THAT(window.texts(W::kInput), ElementsAre("In 1"));
  EXPECT_THAT(window.checked(W::kInput), ElementsAre(0));
  EXPECT_THAT(window.checked(W::kAudio), ElementsAre(1));
  EXPECT_EQ(host->inputSlot(0).uses, 1) << "counts follow the instances, recounted";
  EXPECT_THAT(fake(0).calls, ElementsAre("init", "mode 0", "free", "done"));
  // Back on the big device the unconnected ones stay unconnected; the first keeps its input.
  ASSERT_EQ(run(0x1000), ZR_OK);
  EXPECT_THAT(window.texts(W::kChannel), ElementsAre("1. In 1", "2. Unconnected", "3. Unconnected"));
  EXPECT_EQ(host->inputSlot(0).uses, 1);
  EXPECT_EQ(host->inputSlot(1).uses, 0);
  EXPECT_EQ(host->inputCount(), 4);
  EXPECT_FALSE(window.misused);
}

TEST_F(HostTest, ARunningDeviceIsStoppedBeforeItIsFreed) {
  addDevice("One", 2, 2);
  addDevice("Two", 2, 2);
  start();
  fake(0).start();
  run(0x1001);
  EXPECT_THAT(fake(0).calls, ElementsAre("init", "mode 0", "start", "stop", "free", "done"));
}

// Commands that name nothing that exists, or that need an instance where there is none.
TEST_F(HostTest, BadIndexesDoNothing) {
  addDevice("One", 2, 2);
  addDevice("Two", 2, 2);
  start();
  run(ZR_Host::kAddInstance);
  run(ZR_Host::kAddInstance);
  const auto menus = window.popups[W::kChannel];
  const auto calls = fake(0).calls;
  const size_t requests = StubEffect::requests.size();
  for (uint32_t id : {0x1002u, 0x1005u, 0x1FFFu, 0x2002u, 0x3001u, 0x4001u, 0x5003u, 0x5009u, 0x6002u,
                      0x6005u, 0x7001u, 0x8000u, 0xF000u, 0x0000u, 0x11000u}) {
    EXPECT_EQ(run(id), nullptr) << std::hex << id;
  }
  EXPECT_EQ(fake(0).calls, calls);
  EXPECT_TRUE(fake(1).calls.empty());
  EXPECT_EQ(StubEffect::requests.size(), requests);
  EXPECT_EQ(window.popups[W::kChannel].size(), menus.size());
  EXPECT_EQ(window.helpOpened, 0);
  EXPECT_EQ(host->instanceCount(), 3);
  EXPECT_EQ(host->currentInstance(), 2);
  EXPECT_TRUE(reports.shown().empty());
  EXPECT_FALSE(window.misused);
}

TEST_F(HostTest, WithoutAnEffectTheInstanceCommandsDoNothing) {
  addDevice("Windows", 2, 2);
  StubEffect::refuse = true;
  start();
  EXPECT_EQ(host->instanceCount(), 0);
  EXPECT_EQ(run(ZR_Host::kAddInstance), nullptr);
  for (uint32_t id : {0x4000u, 0x5000u, 0x6000u}) EXPECT_EQ(run(id), nullptr) << std::hex << id;
  EXPECT_TRUE(window.popups[W::kChannel].empty());
  // The window falls back to a 600 x 800 client area, and says why.
  const ERect rect = host->editorRect();
  EXPECT_EQ(rect.right - rect.left, 600);
  EXPECT_EQ(rect.bottom - rect.top, 800);
  ASSERT_EQ(reports.shown().size(), 1u);
  EXPECT_THAT(reports.shown()[0], HasSubstr("Cannot get metrics of effect editor"));
  char title[kVstMaxProductStrLen] = "QORM";
  EXPECT_FALSE(host->productString(title));
  EXPECT_STREQ(title, "QORM");
  // The device still streams, and a block with no instance plays silence.
  fake(0).input(0).assign(kBlock, 0.5f);
  ASSERT_TRUE(fake(0).deliver(ZR_Host::audioCallback));
  EXPECT_EQ(fake(0).output(0), std::vector<float>(kBlock, 0.0f));
}

TEST_F(HostTest, WithoutAnEntryPointNothingIsCreated) {
  addDevice("Windows", 2, 2);
  start(nullptr);
  EXPECT_EQ(host->instanceCount(), 0);
  EXPECT_EQ(StubEffect::created, 0);
}

TEST_F(HostTest, HelpOpensThePageWithoutTheLock) {
  addDevice("Windows", 2, 2);
  start();
  EXPECT_EQ(run(ZR_Host::kHelp), ZR_OK);
  EXPECT_EQ(window.helpOpened, 1);
}

// --- failures ---

TEST_F(HostTest, AFailingModeIsReportedAndLeavesNoModeOpen) {
  FakeRts& device = addDevice("Windows", 2, 2);
  device.modeResult = ZR_ERROR_AUDIO_CANNOT_OPEN;
  start();
  ASSERT_EQ(reports.shown().size(), 1u);
  EXPECT_THAT(reports.shown()[0], HasSubstr("Error: Cannot open audio device"));
  EXPECT_THAT(reports.shown()[0], HasSubstr("File: host"));
  EXPECT_THAT(reports.shown()[0], HasSubstr("Proc: menu_mode"));
  EXPECT_TRUE(window.checked(W::kMode).empty());
  EXPECT_EQ(host->currentMode(), -1);
  // The device that kept the failed mode is closed again, so the next selection opens it once.
  EXPECT_THAT(device.calls, ElementsAre("init", "mode 0", "free"));
  device.modeResult = ZR_OK;
  ASSERT_EQ(run(0x2001), ZR_OK);
  EXPECT_THAT(device.calls, ElementsAre("init", "mode 0", "free", "mode 1"));
}

TEST_F(HostTest, ADeviceFinishedOnceIsNotFinishedAgainWhenTheNextFails) {
  FakeRts& first = addDevice("First", 2, 2);
  FakeRts& second = addDevice("Second", 2, 2);
  start();
  second.initResult = ZR_ERROR_AUDIO;
  EXPECT_EQ(run(0x1001), ZR_ERROR_AUDIO);
  ASSERT_EQ(reports.shown().size(), 1u);
  EXPECT_THAT(reports.shown()[0], HasSubstr("Proc: menu_driver"));
  EXPECT_EQ(host->currentDevice(), -1);
  EXPECT_TRUE(window.checked(W::kAudio).empty());
  EXPECT_THAT(window.texts(W::kChannel), ElementsAre("1. Unconnected"));
  second.initResult = ZR_OK;
  ASSERT_EQ(run(0x1001), ZR_OK);
  EXPECT_THAT(first.calls, ElementsAre("init", "mode 0", "free", "done"));
  EXPECT_THAT(second.calls, ElementsAre("init", "done", "init", "mode 0"));
  EXPECT_THAT(window.texts(W::kChannel), ElementsAre("1. In 1")) << "the instance keeps its input";
}

TEST_F(HostTest, AFailedFreeKeepsTheDeviceCurrent) {
  addDevice("First", 2, 2);
  addDevice("Second", 2, 2);
  start();
  fake(0).freeResult = ZR_ERROR_AUDIO_CANNOT_INPUT_STOP;
  EXPECT_EQ(run(0x1001), ZR_ERROR_AUDIO_CANNOT_INPUT_STOP);
  EXPECT_EQ(host->currentDevice(), 0);
  EXPECT_THAT(window.checked(W::kAudio), ElementsAre(0));
  EXPECT_TRUE(fake(1).calls.empty());
}

// An error report's box runs a message loop on the window thread, which dispatches further menu
// commands while the failing one holds the lock: they are dropped.
TEST_F(HostTest, CommandsArrivingInsideAnErrorReportAreDropped) {
  FakeRts& device = addDevice("Windows", 2, 2);
  start();
  device.modeResult = ZR_ERROR_AUDIO;
  std::vector<ZR_error> nested;
  Reports::onReport() = [&] {
    nested.push_back(host->command(ZR_Host::kAddInstance));
    nested.push_back(host->command(0x1000));
    nested.push_back(host->shutdown() ? ZR_OK : nullptr);
  };
  EXPECT_EQ(run(0x2001), ZR_ERROR_AUDIO);
  EXPECT_THAT(nested, ElementsAre(nullptr, nullptr, nullptr));
  EXPECT_EQ(host->instanceCount(), 1);
  EXPECT_THAT(device.calls, ElementsAre("init", "mode 0", "free", "mode 1", "free"));
}

// --- the requests each effect receives ---

TEST_F(HostTest, EffectsReceiveOnlyTheirRequestsInOrder) {
  FakeRts& device = addDevice("Windows", 2, 2);
  start();
  host->editorRect();
  char product[kVstMaxProductStrLen] = {};
  ASSERT_TRUE(host->productString(product));
  EXPECT_STREQ(product, "Stub product");
  run(ZR_Host::kAddInstance);
  run(0x2001);
  run(0x5000);
  run(ZR_Host::kDeleteInstance);
  device.calls.clear();
  host->shutdown();
  EXPECT_THAT(device.calls, ElementsAre("free", "done"));

  EXPECT_THAT(StubEffect::opcodesOf(0),
              ElementsAre(effSetSampleRate, effEditOpen, effEditGetRect, effGetProductString, effEditClose,
                          effSetSampleRate, effEditOpen, effEditClose, effClose));
  EXPECT_THAT(StubEffect::opcodesOf(1), ElementsAre(effSetSampleRate, effEditOpen, effSetSampleRate,
                                                    effEditClose, effEditOpen, effClose));
  const auto rates = StubEffect::requestsOf(effSetSampleRate);
  ASSERT_EQ(rates.size(), 4u);
  EXPECT_EQ(rates[0].opt, 48000.0f);
  EXPECT_EQ(rates[3].opt, 44100.0f);
  for (const auto& r : StubEffect::requestsOf(effEditOpen)) EXPECT_EQ(r.ptr, window.effectWindow());
  for (const auto& r : StubEffect::requestsOf(effEditClose)) EXPECT_EQ(r.ptr, window.effectWindow());
  // After shutdown every command is dropped.
  EXPECT_EQ(run(ZR_Host::kAddInstance), nullptr);
  EXPECT_EQ(StubEffect::created, 2);
}

TEST_F(HostTest, AnInstanceMadeWithoutAModeGetsNoRate) {
  FakeRts& device = addDevice("Windows", 2, 2, {});
  start();
  EXPECT_THAT(device.calls, ElementsAre("init"));
  EXPECT_THAT(StubEffect::opcodesOf(0), ElementsAre(effEditOpen));
}

// --- the mix ---

struct MixCase {
  const char* name;
  int32_t outputs;
  std::vector<int32_t> inputOf;  // per instance: the input it is connected to, -1 unconnected
  float left, right;             // expected output per unit of input 0 (input 1 carries 0.0)
};

class HostMixTest : public HostTest, public ::testing::WithParamInterface<MixCase> {};

TEST_P(HostMixTest, MixesEveryConnectedInstance) {
  const MixCase& c = GetParam();
  FakeRts& device = addDevice("Windows", 2, c.outputs);
  start();
  for (size_t i = 1; i < c.inputOf.size(); ++i) run(ZR_Host::kAddInstance);
  for (size_t i = 0; i < c.inputOf.size(); ++i) {
    run(static_cast<uint32_t>(0x5000 + i));
    if (c.inputOf[i] >= 0) run(static_cast<uint32_t>(0x6000 + c.inputOf[i]));
  }
  std::vector<float>& in = device.input(0);
  for (int32_t k = 0; k < kBlock; ++k) in[static_cast<size_t>(k)] = static_cast<float>(k % 50) / 100.0f;
  device.input(1).assign(kBlock, 0.0f);
  ASSERT_TRUE(device.deliver(ZR_Host::audioCallback));
  for (int32_t k = 0; k < kBlock; ++k) {
    const float x = in[static_cast<size_t>(k)];
    ASSERT_EQ(device.output(0)[static_cast<size_t>(k)], c.left * x) << k;
    if (c.outputs > 1) {
      ASSERT_EQ(device.output(1)[static_cast<size_t>(k)], c.right * x) << k;
    }
  }
  if (c.outputs > 2) {
    EXPECT_EQ(device.output(2), std::vector<float>(kBlock, 0.0f)) << "not written";
  }
}

const float a = StubEffect::kFirstGain, b = StubEffect::kSecondGain;
INSTANTIATE_TEST_SUITE_P(Cases, HostMixTest,
                         ::testing::Values(MixCase{"LeftIsTheFirstOutput", 2, {0}, a, b},
                                           MixCase{"TwoOnOneInputDouble", 2, {0, 0}, 2 * a, 2 * b},
                                           MixCase{"UnconnectedAddsSilence", 2, {0, 0, -1}, 2 * a, 2 * b},
                                           MixCase{"OtherInputOnlyItsOwn", 2, {0, 1}, a, b},
                                           MixCase{"AllOnTheSilentInput", 2, {1, 1}, 0.0f, 0.0f},
                                           MixCase{"MonoOutputGetsTheFirst", 1, {0}, a, 0.0f},
                                           MixCase{"ThirdOutputUntouched", 3, {0}, a, b}),
                         [](const ::testing::TestParamInfo<MixCase>& info) {
                           return std::string(info.param.name);
                         });

TEST_F(HostTest, AllUnconnectedGivesZeros) {
  addDevice("Big", 2, 2);
  FakeRts& none = addDevice("NoInputs", 0, 2);
  start();
  run(ZR_Host::kAddInstance);
  run(0x1001);
  ASSERT_TRUE(none.deliver(ZR_Host::audioCallback));
  EXPECT_EQ(none.output(0), std::vector<float>(kBlock, 0.0f));
  EXPECT_EQ(StubEffect::find(0)->blocks.load(), 0);
}

// --- the lock ---

TEST_F(HostTest, BlocksAreSkippedWhileACommandHoldsTheLock) {
  FakeRts& device = addDevice("Windows", 2, 2);
  start();
  device.input(0).assign(kBlock, 0.5f);
  ASSERT_TRUE(device.deliver(ZR_Host::audioCallback));
  StubEffect* effect = StubEffect::find(0);
  ASSERT_EQ(effect->blocks.load(), 1);

  // A block from the device's own thread while the mode command runs: skipped, not waited for.
  // And one on the command's own thread (Wine hands back a wave input's buffers on the thread
  // that resets it): skipped too, though the lock would let it in.
  bool threadDelivered = false, sameThreadDelivered = false;
  device.duringFree = [&] {
    std::thread deviceThread([&] { threadDelivered = device.deliver(ZR_Host::audioCallback); });
    deviceThread.join();
    sameThreadDelivered = device.deliver(ZR_Host::audioCallback);
  };
  ASSERT_EQ(run(0x2001), ZR_OK);
  EXPECT_TRUE(threadDelivered);
  EXPECT_TRUE(sameThreadDelivered);
  EXPECT_EQ(effect->blocks.load(), 1) << "no instance ran inside the command";
  device.duringFree = nullptr;
  device.input(0).assign(441, 0.5f);
  ASSERT_TRUE(device.deliver(ZR_Host::audioCallback));
  EXPECT_EQ(effect->blocks.load(), 2);
  EXPECT_EQ(device.output(0), std::vector<float>(441, 0.25f)) << "the new block size";
}

// The device's thread delivers blocks all the time while the window thread runs every kind of
// command; run under ThreadSanitizer this shows the state is only shared under the lock.
TEST_F(HostTest, DeviceThreadAgainstCommands) {
  addDevice("One", 2, 2);
  addDevice("Two", 1, 3, {{44100, 16, 441, 2}});
  start();
  std::atomic<bool> stop{false};
  std::atomic<int> delivered{0};
  std::thread deviceThread([&] {
    while (!stop.load()) {
      for (auto& f : fakes)
        if (f->deliver(ZR_Host::audioCallback)) delivered.fetch_add(1);
      std::this_thread::yield();
    }
  });
  // At least 40 rounds, and on until the device thread has had its share of blocks.
  for (int round = 0; round < 40 || (delivered.load() < 200 && round < 100000); ++round) {
    run(ZR_Host::kAddInstance);
    run(0x2000 + round % 2);
    run(0x6000 + round % 2);
    run(0x5000);
    if (round % 3 == 0) run(ZR_Host::kDeleteInstance);
    if (round % 10 == 0) run(0x1000 + round / 10 % 2);
  }
  host->shutdown();
  stop.store(true);
  deviceThread.join();
  EXPECT_GT(delivered.load(), 0);
  EXPECT_TRUE(reports.shown().empty());
}

}  // namespace
