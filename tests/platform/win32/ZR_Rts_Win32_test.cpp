#include "win32/ZR_Rts_Win32.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "ZR_Wave_Api_Fake.h"
#include "rts/ZR_Rts_format.h"
#include "rts/ZR_Rts_instances.h"

namespace {

using Chan = ZR_Rts::Chan;

// What the client callback saw; the callback has no argument, so it reports through here.
struct Client {
  std::atomic<int> calls{0};
  std::atomic<ZR_Rts_Win32*> device{nullptr};
  std::vector<uint8_t*> outputs, inputs;  // the channel buffers of the last call
  std::atomic<bool> hold{false};          // keeps the callback waiting while set
  std::atomic<bool> inside{false};
};
Client gClient;

void recordingCallback() {
  ZR_Rts_Win32* d = gClient.device.load();
  gClient.outputs.clear();
  gClient.inputs.clear();
  d->outputs.forEach<Chan>([](Chan* c) { gClient.outputs.push_back(c->buffer); });
  d->inputs.forEach<Chan>([](Chan* c) { gClient.inputs.push_back(c->buffer); });
  gClient.inside = true;
  while (gClient.hold.load()) std::this_thread::yield();
  // Writing through the channels is what a client does; a deleted channel would show here.
  d->outputs.forEach<Chan>([](Chan* c) { std::memset(c->buffer, 0x11, 2); });
  gClient.inside = false;
  ++gClient.calls;
}

// One "Windows" device registered over a fake wave API.
class ZR_Rts_Win32_Test : public testing::Test {
 protected:
  void SetUp() override {
    gClient.calls = 0;
    gClient.hold = false;
    ASSERT_EQ(ZR_Rts_Win32::classInit(&recordingCallback, fake), ZR_OK);
    device = static_cast<ZR_Rts_Win32*>(ZR_Rts_Win32::deviceClass().list.first()->data);
    gClient.device = device;
  }
  void TearDown() override { ZR_Rts_Win32::classDone(); }

  ZR_Rts::Mode* modeNamed(const char* text) {
    ZR_Rts::Mode* found = nullptr;
    device->modes.forEach<ZR_Rts::Mode>([&](ZR_Rts::Mode* m) {
      if (!found && std::strcmp(m->text, text) == 0) found = m;
    });
    return found;
  }
  // init and mode at 44.1 kHz, 16 bit, stereo.
  void open() {
    ASSERT_EQ(device->init(), ZR_OK);
    mode = modeNamed(" 44.1 kHz, 16 bit, stereo");
    ASSERT_NE(mode, nullptr);
    ASSERT_EQ(device->mode(mode), ZR_OK);
  }
  // Sets which output blocks the system is done with (bit j: output block j).
  void setFreeOutputs(unsigned mask) {
    for (int j = 0; j < 8; ++j) device->header(8 + j).flags = (mask >> j & 1) ? ZR_Wave_Api::kDone : 0x10;
  }
  // free on its own thread while the test returns the input blocks.
  ZR_error freeWhileReturning() {
    std::atomic<bool> done{false};
    ZR_error result = nullptr;
    std::thread t([&] {
      result = device->free();
      done = true;
    });
    while (!done.load()) {
      if (!fake.returnInput()) std::this_thread::yield();
    }
    t.join();
    return result;
  }

  ZR_Wave_Api_Fake fake;
  ZR_Rts_Win32* device = nullptr;
  ZR_Rts::Mode* mode = nullptr;
};

TEST(ZR_Rts_Win32_layout, TenMillisecondBlocks) {
  struct Case {
    int32_t rate, bits, channels;
    ZR_Rts_Win32::Layout expected;
  };
  const Case cases[] = {
      {44100, 16, 2, {441, 882, 1764, 1764, 28224}},
      {48000, 32, 4, {480, 1920, 7680, 3840, 92160}},
      {96000, 24, 2, {960, 2880, 5760, 5760, 92160}},
      {192000, 16, 4, {1920, 3840, 15360, 7680, 184320}},
  };
  for (const Case& c : cases) {
    ZR_Rts_Win32::Layout l;
    ASSERT_TRUE(ZR_Rts_Win32::layout(c.rate, c.bits, c.channels, &l)) << c.rate;
    EXPECT_EQ(l.frames, c.expected.frames);
    EXPECT_EQ(l.channelBytes, c.expected.channelBytes);
    EXPECT_EQ(l.outputBlockBytes, c.expected.outputBlockBytes);
    EXPECT_EQ(l.inputBlockBytes, c.expected.inputBlockBytes);
    EXPECT_EQ(l.blockBytes, c.expected.blockBytes);
  }
  ZR_Rts_Win32::Layout l;
  EXPECT_FALSE(ZR_Rts_Win32::layout(44150, 16, 2, &l));
  EXPECT_FALSE(ZR_Rts_Win32::layout(0, 16, 2, &l));
  EXPECT_FALSE(ZR_Rts_Win32::layout(44100, 12, 2, &l));
  EXPECT_FALSE(ZR_Rts_Win32::layout(44100, 40, 2, &l));
  EXPECT_FALSE(ZR_Rts_Win32::layout(44100, 16, 0, &l));
  EXPECT_FALSE(ZR_Rts_Win32::layout(44100, 16, 5, &l));
}

TEST_F(ZR_Rts_Win32_Test, ClassRegistersOneDeviceNamedWindows) {
  EXPECT_EQ(ZR_Rts_Win32::deviceClass().list.count, 1);
  EXPECT_EQ(ZR_Rts_instances.count, 1);
  EXPECT_EQ(ZR_Rts_instances.first()->data, static_cast<ZR_Rts*>(device));
  EXPECT_STREQ(device->name(), "Windows");
}

TEST_F(ZR_Rts_Win32_Test, ProbesWidthsThenRatesThenFourBeforeTwoChannels) {
  ASSERT_EQ(device->init(), ZR_OK);
  const char* const expected[] = {
      " 48.0 kHz, 32 bit, quadro", " 48.0 kHz, 32 bit, stereo", " 96.0 kHz, 32 bit, quadro",
      " 96.0 kHz, 32 bit, stereo", "192.0 kHz, 32 bit, quadro", "192.0 kHz, 32 bit, stereo",
      " 44.1 kHz, 32 bit, quadro", " 44.1 kHz, 32 bit, stereo", " 48.0 kHz, 24 bit, quadro",
      " 48.0 kHz, 24 bit, stereo", " 96.0 kHz, 24 bit, quadro", " 96.0 kHz, 24 bit, stereo",
      "192.0 kHz, 24 bit, quadro", "192.0 kHz, 24 bit, stereo", " 44.1 kHz, 24 bit, quadro",
      " 44.1 kHz, 24 bit, stereo", " 48.0 kHz, 16 bit, quadro", " 48.0 kHz, 16 bit, stereo",
      " 96.0 kHz, 16 bit, quadro", " 96.0 kHz, 16 bit, stereo", "192.0 kHz, 16 bit, quadro",
      "192.0 kHz, 16 bit, stereo", " 44.1 kHz, 16 bit, quadro", " 44.1 kHz, 16 bit, stereo",
  };
  std::vector<std::string> texts;
  device->modes.forEach<ZR_Rts::Mode>([&](ZR_Rts::Mode* m) {
    texts.push_back(m->text);
    EXPECT_EQ(m->blockSize, m->rate / 100);
  });
  EXPECT_EQ(texts, std::vector<std::string>(std::begin(expected), std::end(expected)));
  const std::vector<std::string> log = fake.log();
  ASSERT_GE(log.size(), 6u);
  EXPECT_EQ(std::vector<std::string>(log.begin(), log.begin() + 6),
            (std::vector<std::string>{"inOpen 48000 Hz 32 bit 2 ch align 8 384000 B/s", "inClose",
                                      "outOpen 48000 Hz 32 bit 4 ch align 16 768000 B/s", "outClose",
                                      "outOpen 48000 Hz 32 bit 2 ch align 8 384000 B/s", "outClose"}));
  std::vector<std::string> inputs;
  device->inputs.forEach<Chan>([&](Chan* c) { inputs.push_back(c->name); });
  EXPECT_EQ(inputs, (std::vector<std::string>{"Left", "Right"}));
}

TEST_F(ZR_Rts_Win32_Test, ProbeKeepsOnlyWhatOpens) {
  // Input takes anything but 96 kHz; output only 44.1 kHz 16-bit stereo.
  fake.accepts = [](bool input, const ZR_Wave_Format& f) {
    if (input) return f.rate != 96000;
    return f.rate == 44100 && f.bits == 16 && f.channels == 2;
  };
  ASSERT_EQ(device->init(), ZR_OK);
  ASSERT_EQ(device->modes.count, 1);
  const ZR_Rts::Mode* m = static_cast<ZR_Rts::Mode*>(device->modes.first()->data);
  EXPECT_STREQ(m->text, " 44.1 kHz, 16 bit, stereo");
  EXPECT_EQ(m->blockSize, 441);
  for (const std::string& entry : fake.log())
    EXPECT_EQ(entry.find("outOpen 96000"), std::string::npos) << entry;
}

TEST_F(ZR_Rts_Win32_Test, NoFormatOpensNoMode) {
  fake.accepts = [](bool, const ZR_Wave_Format&) { return false; };
  EXPECT_EQ(device->init(), ZR_OK);
  EXPECT_EQ(device->modes.count, 0);
  EXPECT_EQ(device->inputs.count, 2);
}

TEST_F(ZR_Rts_Win32_Test, ModeLaysOutSixteenBlocksAndQueuesTheInputs) {
  open();
  uint8_t* base = device->outputBlock(0);
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(device->outputBlock(i), base + 1764 * i);
    EXPECT_EQ(device->inputBlock(i), base + 14112 + 1764 * i);
    EXPECT_EQ(device->header(i).data, reinterpret_cast<char*>(device->inputBlock(i)));
    EXPECT_EQ(device->header(i).length, 1764u);
    EXPECT_EQ(device->header(8 + i).data, reinterpret_cast<char*>(device->outputBlock(i)));
    EXPECT_EQ(device->header(8 + i).length, 1764u);
    EXPECT_EQ(device->header(8 + i).flags, ZR_Wave_Api::kDone);
    const ZR_Rts_Win32::Tag* tag = reinterpret_cast<const ZR_Rts_Win32::Tag*>(device->header(i).user);
    EXPECT_EQ(tag->device, device);
    EXPECT_EQ(tag->index, i);
    EXPECT_EQ(device->header(8 + i).user, device->header(i).user);
  }
  EXPECT_EQ(device->scratchBlock(), base + 28224);
  std::vector<std::string> names;
  device->outputs.forEach<Chan>([&](Chan* c) {
    names.push_back(c->name);
    EXPECT_EQ(c->format, 0x1004u);
    EXPECT_EQ(c->count, 441);
  });
  EXPECT_EQ(names, (std::vector<std::string>{"Left front", "Right front"}));
  device->inputs.forEach<Chan>([&](Chan* c) {
    EXPECT_EQ(c->format, 0x1004u);
    EXPECT_EQ(c->count, 441);
  });
  EXPECT_EQ(fake.queuedInputs(), 8u);
  EXPECT_EQ(fake.calls("inStart"), 1);
  const std::vector<std::string> log = fake.log();
  EXPECT_NE(std::find(log.begin(), log.end(), "inOpen 44100 Hz 16 bit 2 ch align 4 176400 B/s streaming"),
            log.end());
  EXPECT_NE(std::find(log.begin(), log.end(), "outOpen 44100 Hz 16 bit 2 ch align 4 176400 B/s streaming"),
            log.end());
  EXPECT_EQ(device->mode(mode), ZR_ERROR_AUDIO_CANNOT_OPEN) << "a second mode while open";
  EXPECT_EQ(freeWhileReturning(), ZR_OK);
}

// Each returned input block runs the client once and queues at most two output blocks.
TEST_F(ZR_Rts_Win32_Test, HandlerQueuesByTheNumberOfFreeOutputBlocks) {
  struct Case {
    const char* what;
    unsigned freeMask;  // bit j: output block j is done
    int pointedAt;      // output block the channels point at; -1: the scratch block
    std::vector<int> queued;
    int cleared;  // the second free block, cleared before it is queued; -1: none
  };
  const Case cases[] = {
      {"8 free", 0xFF, 0, {0, 1}, 1}, {"6 free", 0xFC, 2, {2, 3}, 3}, {"5 free", 0xF8, 3, {3}, -1},
      {"2 free", 0x81, 0, {0}, -1},   {"1 free", 0x40, 6, {}, -1},    {"0 free", 0x00, -1, {}, -1},
  };
  open();
  int input = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    setFreeOutputs(c.freeMask);
    for (int j = 0; j < 8; ++j) std::memset(device->outputBlock(j), 0x55, 1764);
    fake.clearLog();
    const int calls = gClient.calls;
    ASSERT_TRUE(fake.returnInput());
    EXPECT_EQ(gClient.calls, calls + 1);
    EXPECT_EQ(fake.calls("inAdd"), 1) << "the input block goes straight back";
    uint8_t* out = c.pointedAt < 0 ? device->scratchBlock() : device->outputBlock(c.pointedAt);
    EXPECT_EQ(gClient.outputs, (std::vector<uint8_t*>{out, out + 2}));
    EXPECT_EQ(gClient.inputs,
              (std::vector<uint8_t*>{device->inputBlock(input), device->inputBlock(input) + 2}));
    std::vector<int> queued;
    for (ZR_Wave_Header* h : fake.written()) {
      queued.push_back(static_cast<int>(h - &device->header(8)));
      EXPECT_EQ(h->loops, 1u);
      EXPECT_EQ(h->flags & ZR_Wave_Api::kLoop, ZR_Wave_Api::kLoop);
    }
    EXPECT_EQ(queued, c.queued);
    EXPECT_EQ(fake.calls("outPrepare"), static_cast<int>(c.queued.size()));
    for (int j = 0; j < 8; ++j) {
      const uint8_t* block = device->outputBlock(j);
      const bool cleared = j == c.cleared;
      EXPECT_EQ(block[100], cleared ? 0 : 0x55) << "block " << j;
      EXPECT_EQ(block[1763], cleared ? 0 : 0x55) << "block " << j;
    }
    input = (input + 1) % 8;
  }
  setFreeOutputs(0xFF);
  EXPECT_EQ(freeWhileReturning(), ZR_OK);
}

TEST_F(ZR_Rts_Win32_Test, OtherMessagesAreIgnored) {
  open();
  fake.clearLog();
  for (uint32_t message : {0x3BEu, 0x3BFu, 0x3BDu, 0x3C1u}) fake.message(message, 0);
  ZR_Wave_Header stray;  // not one of the device's headers: the message is not a data message
  fake.message(0x3BE, reinterpret_cast<uintptr_t>(&stray));
  EXPECT_EQ(gClient.calls, 0);
  EXPECT_TRUE(fake.log().empty());
  EXPECT_EQ(freeWhileReturning(), ZR_OK);
}

TEST_F(ZR_Rts_Win32_Test, FreeWaitsForTheEighthInputBlockAndClosesInOrder) {
  open();
  std::atomic<bool> finished{false};
  ZR_error result = nullptr;
  std::thread t([&] {
    result = device->free();
    finished = true;
  });
  while (device->currentMode()) std::this_thread::yield();
  for (int i = 0; i < 7; ++i) ASSERT_TRUE(fake.returnInput());
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_FALSE(finished.load()) << "free went on before the eighth input block came home";
  fake.clearLog();
  ASSERT_TRUE(fake.returnInput());
  t.join();
  EXPECT_EQ(result, ZR_OK);
  EXPECT_EQ(gClient.calls, 0) << "blocks that come home after the stop run no client";
  EXPECT_EQ(fake.log(), (std::vector<std::string>{"inStop", "outReset", "inClose", "outClose"}));
  EXPECT_EQ(device->outputs.count, 0);
  EXPECT_EQ(device->scratchBlock(), nullptr);
  device->inputs.forEach<Chan>([](Chan* c) { EXPECT_EQ(c->buffer, nullptr); });
  EXPECT_EQ(device->free(), ZR_OK) << "a closed device frees at once";
}

TEST_F(ZR_Rts_Win32_Test, StalledInputIsResetWhenTheWaitRunsOut) {
  open();
  device->setStopWait(20);
  EXPECT_EQ(device->free(), ZR_OK);
  EXPECT_EQ(fake.calls("inReset"), 1);
  EXPECT_EQ(fake.queuedInputs(), 0u);
  EXPECT_EQ(gClient.calls, 0);
}

TEST_F(ZR_Rts_Win32_Test, FreeGivesUpOnAStepAfterTenTries) {
  struct Case {
    const char* failing;
    ZR_error code;
    std::vector<std::string> notCalled;
  };
  const Case cases[] = {
      {"inStop", ZR_ERROR_AUDIO_CANNOT_INPUT_STOP, {"outReset", "inClose", "outClose"}},
      {"outReset", ZR_ERROR_AUDIO_CANNOT_OUTPUT_RESET, {"inClose", "outClose"}},
      {"inClose", ZR_ERROR_AUDIO_CANNOT_INPUT_CLOSE, {"outClose"}},
      {"outClose", ZR_ERROR_AUDIO_CANNOT_OUTPUT_CLOSE, {}},
  };
  ASSERT_EQ(device->init(), ZR_OK);
  mode = modeNamed(" 44.1 kHz, 16 bit, stereo");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.failing);
    fake.failing.clear();
    ASSERT_EQ(device->mode(mode), ZR_OK);
    fake.failing.insert(c.failing);
    fake.clearLog();
    const size_t sleeps = fake.sleeps().size();
    EXPECT_EQ(freeWhileReturning(), c.code);
    EXPECT_EQ(fake.calls(c.failing), 10);
    EXPECT_EQ(fake.sleeps().size() - sleeps, 10u);
    EXPECT_EQ(fake.sleeps().back(), 500u);
    for (const std::string& name : c.notCalled) EXPECT_EQ(fake.calls(name), 0) << name;
    EXPECT_EQ(device->currentMode(), nullptr);
    EXPECT_EQ(device->outputs.count, 0);
    // The next free only retries the closing, and succeeds once the system lets it.
    fake.failing.clear();
    fake.clearLog();
    EXPECT_EQ(device->free(), ZR_OK);
    EXPECT_EQ(fake.calls("inReset"), 0);
    EXPECT_EQ(device->scratchBlock(), nullptr);
  }
}

TEST_F(ZR_Rts_Win32_Test, FailedModeUndoesItselfCompletely) {
  struct Case {
    const char* failing;
    ZR_error code;
    bool inputOpened, outputOpened;
  };
  const Case cases[] = {
      {"inOpen", ZR_ERROR_AUDIO_CANNOT_OPEN, false, false},
      {"outOpen", ZR_ERROR_AUDIO_CANNOT_OPEN, true, false},
      {"inPrepare", ZR_ERROR_AUDIO, true, true},
      {"inAdd", ZR_ERROR_AUDIO, true, true},
      {"inStart", ZR_ERROR_AUDIO, true, true},
  };
  ASSERT_EQ(device->init(), ZR_OK);
  mode = modeNamed(" 44.1 kHz, 16 bit, stereo");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.failing);
    fake.failing = {c.failing};
    fake.clearLog();
    EXPECT_EQ(device->mode(mode), c.code);
    EXPECT_EQ(device->currentMode(), nullptr);
    EXPECT_EQ(device->outputs.count, 0);
    EXPECT_EQ(device->scratchBlock(), nullptr);
    EXPECT_EQ(fake.queuedInputs(), 0u) << "every queued block came back before the close";
    EXPECT_EQ(fake.calls("inReset"), c.inputOpened ? 1 : 0);
    EXPECT_EQ(fake.calls("inClose"), c.inputOpened ? 1 : 0);
    EXPECT_EQ(fake.calls("outReset"), c.outputOpened ? 1 : 0);
    EXPECT_EQ(fake.calls("outClose"), c.outputOpened ? 1 : 0);
    const std::vector<std::string> log = fake.log();
    if (c.inputOpened) {
      EXPECT_LT(std::find(log.begin(), log.end(), "inReset") - log.begin(),
                std::find(log.begin(), log.end(), "inClose") - log.begin());
    }
    EXPECT_EQ(gClient.calls, 0);
    fake.clearLog();
    EXPECT_EQ(device->free(), ZR_OK) << "nothing is left to free";
    EXPECT_TRUE(fake.log().empty());
  }
  fake.failing.clear();
  ASSERT_EQ(device->mode(mode), ZR_OK) << "the device opens again";
  EXPECT_EQ(freeWhileReturning(), ZR_OK);
}

TEST_F(ZR_Rts_Win32_Test, FreeKeepsTheChannelsUntilARunningHandlerIsDone) {
  open();
  gClient.hold = true;
  std::thread system([&] { fake.returnInput(); });
  while (!gClient.inside.load()) std::this_thread::yield();
  std::atomic<bool> finished{false};
  std::thread client([&] {
    device->free();
    finished = true;
  });
  while (device->currentMode()) std::this_thread::yield();
  std::this_thread::sleep_for(std::chrono::milliseconds(30));
  EXPECT_FALSE(finished.load());
  EXPECT_EQ(device->outputs.count, 2) << "channels deleted under a running handler";
  gClient.hold = false;  // the callback now writes through its channels
  system.join();
  while (!finished.load()) {
    if (!fake.returnInput()) std::this_thread::yield();
  }
  client.join();
  EXPECT_EQ(device->outputs.count, 0);
}

TEST_F(ZR_Rts_Win32_Test, DoneFreesAnOpenDevice) {
  open();
  std::thread system([&] {
    while (fake.calls("inStop") == 0) {
      if (!fake.returnInput()) std::this_thread::yield();
    }
  });
  EXPECT_EQ(device->done(), ZR_OK);
  system.join();
  EXPECT_EQ(device->modes.count, 0);
  EXPECT_EQ(device->inputs.count, 0);
  EXPECT_EQ(device->outputs.count, 0);
}

// The system's callback thread streams while the client opens and frees modes on its own.
TEST_F(ZR_Rts_Win32_Test, HandlerThreadAgainstModeAndFree) {
  ASSERT_EQ(device->init(), ZR_OK);
  std::atomic<bool> stop{false};
  std::thread system([&] {
    while (!stop.load()) {
      const bool returned = fake.returnInput();
      fake.completeOutput();
      if (!returned) std::this_thread::yield();
    }
  });
  std::vector<ZR_Rts::Mode*> modes;
  device->modes.forEach<ZR_Rts::Mode>([&](ZR_Rts::Mode* m) {
    if (m->bits == 16) modes.push_back(m);
  });
  ASSERT_EQ(modes.size(), 8u);
  for (int round = 0; round < 20; ++round) {
    ASSERT_EQ(device->mode(modes[round % modes.size()]), ZR_OK);
    const int calls = gClient.calls;
    while (gClient.calls < calls + 3) std::this_thread::yield();
    ASSERT_EQ(device->free(), ZR_OK);
  }
  stop = true;
  system.join();
  EXPECT_EQ(device->outputs.count, 0);
}

}  // namespace
