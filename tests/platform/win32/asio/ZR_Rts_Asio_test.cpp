#include "win32/asio/ZR_Rts_Asio.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "ZR_Asio_fakes.h"
#include "cmd/ZR_message_box.h"
#include "win32/asio/ZR_asio.h"

namespace {

std::vector<std::string>& boxes() {
  static std::vector<std::string> texts;
  return texts;
}
int callbacks = 0;
void countBlock() { ++callbacks; }

// Registers the drivers of a fake registry as devices; reports go to boxes(), not the screen.
class AsioDevice : public ::testing::Test {
 protected:
  void SetUp() override {
    boxes().clear();
    callbacks = 0;
    previousSink = ZR_set_message_sink([](const char* text, const char*) { boxes().push_back(text); });
    previousSystem = ZR_asio_use_system(&system);
  }
  void TearDown() override {
    ZR_Rts_Asio::classDone();
    ZR_asio_use_system(previousSystem);
    ZR_set_message_sink(previousSink);
  }
  /// Lists the drivers; the device of driver index i.
  ZR_Rts_Asio* device(int i = 0) {
    if (ZR_Rts_Asio::asioClass.list.count == 0) {
      EXPECT_EQ(ZR_Rts_Asio::classInit(&countBlock), ZR_OK);
    }
    ZR_Chain_Item* item = ZR_Rts_Asio::asioClass.list.first();
    for (; i > 0; --i) item = item->next;
    return static_cast<ZR_Rts_Asio*>(item->data);
  }
  ZR_Rts::Mode* firstMode(ZR_Rts_Asio* d) { return static_cast<ZR_Rts::Mode*>(d->modes.first()->data); }
  static std::vector<ZR_Rts_Asio::Chan*> channels(const ZR_Chain& list) {
    std::vector<ZR_Rts_Asio::Chan*> out;
    list.forEach<ZR_Rts::Chan>([&](ZR_Rts::Chan* c) { out.push_back(static_cast<ZR_Rts_Asio::Chan*>(c)); });
    return out;
  }

  FakeAsioDriver driver;
  FakeAsioSystem system;
  ZR_message_sink previousSink = nullptr;
  ZR_Asio_System* previousSystem = nullptr;
};

TEST_F(AsioDevice, OneDevicePerDriverKeepingItsIndex) {
  FakeAsioDriver twin;
  system.addDriver("a", "Same name", &driver);
  system.addDriver("b", "Same name", &twin);
  system.addDriver("c", "A driver name of forty characters long!!", &driver);
  int32_t before = ZR_Rts_instances.count;
  ZR_Rts_Asio* second = device(1);
  EXPECT_EQ(ZR_Rts_Asio::asioClass.list.count, 3);
  EXPECT_EQ(ZR_Rts_instances.count, before + 3);
  EXPECT_STREQ(second->name(), "Same name");
  EXPECT_STREQ(device(2)->name(), "A driver name of forty chara...");
  ASSERT_EQ(second->init(), ZR_OK);
  EXPECT_EQ(twin.inits, 1);  // the second driver, though the first has the same name
  EXPECT_EQ(driver.inits, 0);
  EXPECT_EQ(second->done(), ZR_OK);
  EXPECT_EQ(twin.refs, 0);  // unloaded
  ZR_Rts_Asio::classDone();
  EXPECT_EQ(ZR_Rts_Asio::asioClass.list.count, 0);
  EXPECT_EQ(ZR_Rts_instances.count, before);
  EXPECT_EQ(asioDrivers, nullptr);
}

TEST_F(AsioDevice, ChannelCountsAreHeldTo0Through16) {
  struct Case {
    int32_t driverInputs, driverOutputs, inputs, outputs;
  } cases[] = {{24, 24, 16, 16}, {16, 3, 16, 3}, {-3, 2, 0, 2}, {0, 0, 0, 0}};
  system.addDriver("a", "Fake", &driver);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.driverInputs);
    driver.inputs = c.driverInputs;
    driver.outputs = c.driverOutputs;
    ZR_Rts_Asio* d = device();
    ASSERT_EQ(d->init(), ZR_OK);
    EXPECT_EQ(d->inputs.count, c.inputs);
    ASSERT_EQ(d->mode(firstMode(d)), ZR_OK);
    EXPECT_EQ(d->outputs.count, c.outputs);
    EXPECT_EQ(driver.created.size(), static_cast<size_t>(c.inputs + c.outputs));
    EXPECT_EQ(d->done(), ZR_OK);
  }
}

TEST_F(AsioDevice, LeavesOutChannelsWithoutAFormatWord) {
  system.addDriver("a", "Fake", &driver);
  driver.inputs = 6;
  // big-endian 32, Int32LSB, DSD, Int16LSB, unknown, Int32LSB24; channel 6 cannot be read
  const int32_t types[] = {2, 18, 33, 16, 99, 27};
  for (int32_t i = 0; i < 6; ++i) driver.types[{true, i}] = types[i];
  driver.inputs = 7;
  driver.unreadable.insert({true, 6});
  ZR_Rts_Asio* d = device();
  ASSERT_EQ(d->init(), ZR_OK);
  struct Expected {
    int32_t index;
    uint32_t format;
    const char* name;
  } expected[] = {{1, 0x00002004, "In 1"}, {3, 0x00001002, "In 3"}, {5, 0x00081804, "In 5"}};
  std::vector<ZR_Rts_Asio::Chan*> in = channels(d->inputs);
  ASSERT_EQ(in.size(), 3u);
  for (size_t k = 0; k < in.size(); ++k) {
    EXPECT_EQ(in[k]->index, expected[k].index);
    EXPECT_EQ(in[k]->format, expected[k].format);
    EXPECT_STREQ(in[k]->name, expected[k].name);
    EXPECT_EQ(in[k]->count, 256);
  }
  EXPECT_EQ(d->inputCount(), 3);
  // The modes name the channels offered, not the driver's seven.
  EXPECT_STREQ(firstMode(d)->text, " 48.0 kHz, 32 bit, trio");
}

TEST_F(AsioDevice, AllBigEndianGivesNoChannelsAndEmptyBuffers) {
  system.addDriver("a", "Fake", &driver);
  for (int32_t i = 0; i < 2; ++i) driver.types[{true, i}] = driver.types[{false, i}] = 0;
  ZR_Rts_Asio* d = device();
  ASSERT_EQ(d->init(), ZR_OK);
  ASSERT_EQ(d->mode(firstMode(d)), ZR_OK);
  EXPECT_EQ(d->inputs.count + d->outputs.count, 0);
  EXPECT_EQ(driver.creates, 1);
  EXPECT_TRUE(driver.created.empty());
}

TEST_F(AsioDevice, ListsTheRatesTheDriverTakesInMenuOrder) {
  system.addDriver("a", "Fake", &driver);
  struct Case {
    std::set<double> rates;
    std::vector<std::string> texts;
  } cases[] = {
      {{44100}, {" 44.1 kHz, 32 bit, stereo"}},
      {{44100, 48000, 96000, 192000, 88200},
       {" 48.0 kHz, 32 bit, stereo", " 96.0 kHz, 32 bit, stereo", "192.0 kHz, 32 bit, stereo",
        " 44.1 kHz, 32 bit, stereo"}},
      {{}, {}},
  };
  for (const Case& c : cases) {
    driver.rates = c.rates;
    ZR_Rts_Asio* d = device();
    ASSERT_EQ(d->init(), ZR_OK);
    std::vector<std::string> texts;
    d->modes.forEach<ZR_Rts::Mode>([&](ZR_Rts::Mode* m) {
      texts.push_back(m->text);
      EXPECT_EQ(m->blockSize, 256);
    });
    EXPECT_EQ(texts, c.texts);
    d->done();
  }
}

TEST_F(AsioDevice, BufferSwitchPointsEveryChannelAtTheDueHalf) {
  system.addDriver("a", "Fake", &driver);
  driver.outputs = 3;
  driver.types[{false, 1}] = 1;  // skipped: output channel 2 of the driver is the second output
  ZR_Rts_Asio* d = device();
  ASSERT_EQ(d->init(), ZR_OK);
  ASSERT_EQ(d->mode(firstMode(d)), ZR_OK);
  ASSERT_EQ(driver.created.size(), 4u);
  const int32_t expected[4][2] = {{1, 0}, {1, 1}, {0, 0}, {0, 2}};
  for (int k = 0; k < 4; ++k) {
    EXPECT_EQ(driver.created[k].isInput, expected[k][0]);
    EXPECT_EQ(driver.created[k].channelNum, expected[k][1]);
  }
  EXPECT_EQ(driver.createdSize, 256);
  EXPECT_EQ(driver.rate, 48000);
  std::vector<ZR_Rts_Asio::Chan*> all = channels(d->inputs);
  for (ZR_Rts_Asio::Chan* c : channels(d->outputs)) all.push_back(c);
  for (int half : {1, 0, 1}) {
    // The driver may call either switch; both handle the block.
    if (half == 0) {
      EXPECT_EQ(driver.callbacks.bufferSwitchTimeInfo(nullptr, half, 1), nullptr);
    } else {
      driver.callbacks.bufferSwitch(half, 0);
    }
    for (size_t k = 0; k < all.size(); ++k) EXPECT_EQ(all[k]->buffer, driver.created[k].buffers[half]);
  }
  EXPECT_EQ(callbacks, 3);
  driver.callbacks.bufferSwitch(2, 0);  // no such half
  EXPECT_EQ(callbacks, 3);
  EXPECT_EQ(d->free(), ZR_OK);
  driver.callbacks.bufferSwitch(0, 0);  // a late switch after free touches nothing
  EXPECT_EQ(callbacks, 3);
}

TEST_F(AsioDevice, FreeStopsThenDisposesAndEveryModeRescansTheOutputs) {
  system.addDriver("a", "Fake", &driver);
  driver.outputs = 3;
  driver.unreadable.insert({false, 0});
  ZR_Rts_Asio* d = device();
  ASSERT_EQ(d->init(), ZR_OK);
  ASSERT_EQ(d->mode(firstMode(d)), ZR_OK);
  EXPECT_EQ(d->outputCount(), 2);
  EXPECT_EQ(d->free(), ZR_OK);
  EXPECT_EQ(d->currentMode(), nullptr);
  EXPECT_EQ(d->outputs.count, 0);
  driver.unreadable.clear();  // all three can be read now: none is lost to the last count
  ASSERT_EQ(d->mode(firstMode(d)), ZR_OK);
  EXPECT_EQ(d->outputCount(), 3);
  EXPECT_EQ(d->currentMode(), firstMode(d));
  // A mode over an open one closes it first.
  ASSERT_EQ(d->mode(firstMode(d)), ZR_OK);
  EXPECT_EQ(d->done(), ZR_OK);
  const std::vector<std::string> log = {"create", "start",   "stop",   "dispose", "create", "start",
                                        "stop",   "dispose", "create", "start",   "stop",   "dispose"};
  EXPECT_EQ(driver.log, log);
}

TEST_F(AsioDevice, ReportsTheFailingCallWithItsProcedureAndLine) {
  struct Case {
    const char* name;
    void (*script)(FakeAsioDriver&);
    bool inMode;  // the failure is in mode rather than init
    bool inFree;  // or in free
    const char* call;
    const char* proc;
    int line;
  } cases[] = {
      {"init refused", [](FakeAsioDriver& d) { d.initResult = 0; }, false, false, "ASIOInit",
       "ZR_Rts_Asio::init", 185},
      {"channels", [](FakeAsioDriver& d) { d.failing = FakeAsioDriver::kGetChannels; }, false, false,
       "ASIOGetChannels", "ZR_Rts_Asio::init", 190},
      {"buffer size", [](FakeAsioDriver& d) { d.failing = FakeAsioDriver::kGetBufferSize; }, false, false,
       "ASIOGetBufferSize", "ZR_Rts_Asio::init", 197},
      {"preferred above maximum", [](FakeAsioDriver& d) { d.preferred = 2048; }, false, false,
       "ASIOGetBufferSize", "ZR_Rts_Asio::init", 197},
      {"preferred below minimum", [](FakeAsioDriver& d) { d.preferred = 32; }, false, false,
       "ASIOGetBufferSize", "ZR_Rts_Asio::init", 197},
      {"preferred zero", [](FakeAsioDriver& d) { d.preferred = d.minSize = 0; }, false, false,
       "ASIOGetBufferSize", "ZR_Rts_Asio::init", 197},
      {"rate", [](FakeAsioDriver& d) { d.failing = FakeAsioDriver::kSetSampleRate; }, true, false,
       "ASIOSetSampleRate", "ZR_Rts_Asio::mode", 242},
      {"buffers", [](FakeAsioDriver& d) { d.failing = FakeAsioDriver::kCreateBuffers; }, true, false,
       "ASIOCreateBuffers", "ZR_Rts_Asio::mode", 291},
      {"start", [](FakeAsioDriver& d) { d.failing = FakeAsioDriver::kStart; }, true, false, "ASIOStart",
       "ZR_Rts_Asio::mode", 296},
      {"stop", [](FakeAsioDriver& d) { d.failing = FakeAsioDriver::kStop; }, false, true, "ASIOStop",
       "ZR_Rts_Asio::free", 309},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakeAsioDriver fake;
    FakeAsioSystem registry;
    registry.addDriver("a", "Fake", &fake);
    ZR_asio_use_system(&registry);
    c.script(fake);
    boxes().clear();
    ZR_Rts_Asio* d = device();
    ZR_error result = d->init();
    if (c.inMode || c.inFree) {
      ASSERT_EQ(result, ZR_OK);
      result = d->mode(firstMode(d));
    }
    if (c.inFree) {
      ASSERT_EQ(result, ZR_OK);
      result = d->free();
    }
    EXPECT_EQ(result, ZR_ERROR_AUDIO);
    ASSERT_EQ(boxes().size(), 1u);
    const std::string head = std::string("Error: ") + c.call +
                             "\nFile: ../../../projects/ZR/ZR/Rts/Asio\nLine: " + std::to_string(c.line) +
                             "\nProc: " + c.proc + "\n";
    EXPECT_EQ(boxes()[0].substr(0, head.size()), head);
    ZR_Rts_Asio::classDone();
    EXPECT_EQ(fake.refs, 0);
  }
}

TEST_F(AsioDevice, InitWithoutALoadableDriverReportsAsioInit) {
  system.addDriver("a", "Fake", &driver);
  system.createFailure = static_cast<int32_t>(0x80040154);
  ZR_Rts_Asio* d = device();
  EXPECT_EQ(d->init(), ZR_ERROR_AUDIO);
  ASSERT_EQ(boxes().size(), 1u);
  EXPECT_EQ(boxes()[0].substr(0, 16), "Error: ASIOInit\n");
}

TEST(AsioDeviceMessage, AnswersOnlyWhatTheHostDoes) {
  struct Case {
    int32_t selector, value, reply;
  } cases[] = {
      {kAsioSelectorSupported, kAsioEngineVersion, 1},
      {kAsioSelectorSupported, kAsioResetRequest, 0},
      {kAsioSelectorSupported, kAsioBufferSizeChange, 0},
      {kAsioSelectorSupported, kAsioResyncRequest, 0},
      {kAsioSelectorSupported, kAsioLatenciesChanged, 1},
      {kAsioSelectorSupported, kAsioSupportsTimeInfo, 1},
      {kAsioSelectorSupported, kAsioSupportsTimeCode, 0},
      {kAsioSelectorSupported, kAsioSupportsInputMonitor, 0},
      {kAsioEngineVersion, 0, 2},
      {kAsioResetRequest, 0, 0},
      {kAsioBufferSizeChange, 512, 0},
      {kAsioResyncRequest, 0, 0},
      {kAsioLatenciesChanged, 0, 1},
      {kAsioSupportsTimeInfo, 0, 1},
      {kAsioSupportsTimeCode, 0, 0},
      {99, 0, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ZR_Rts_Asio::asioMessage(c.selector, c.value, nullptr, nullptr), c.reply)
        << c.selector << "/" << c.value;
  }
}

// The driver's thread switches blocks while the client's thread changes modes: run under TSan.
std::atomic<ZR_Rts_Asio*> streaming{nullptr};
std::atomic<int32_t> copied{0};
void copyThrough() {
  ZR_Rts_Asio* d = streaming.load();
  ZR_Chain_Item* out = d->outputs.first();
  for (ZR_Chain_Item* in = d->inputs.first(); in != d->inputs.end() && out != d->outputs.end();
       in = in->next) {
    auto* from = static_cast<ZR_Rts::Chan*>(in->data);
    auto* to = static_cast<ZR_Rts::Chan*>(out->data);
    std::memcpy(to->buffer, from->buffer, static_cast<size_t>(to->count) * 4);
    out = out->next;
  }
  copied.fetch_add(1);
}

TEST_F(AsioDevice, ModesChangeWhileTheDriverThreadSwitches) {
  system.addDriver("a", "Fake", &driver);
  driver.threaded = true;
  driver.rates = {44100, 48000};
  ASSERT_EQ(ZR_Rts_Asio::classInit(&copyThrough), ZR_OK);
  ZR_Rts_Asio* d = device();
  streaming = d;
  ASSERT_EQ(d->init(), ZR_OK);
  for (int i = 0; i < 50; ++i) {
    ZR_Rts::Mode* m = static_cast<ZR_Rts::Mode*>((i % 2 ? d->modes.first()->next : d->modes.first())->data);
    ASSERT_EQ(d->mode(m), ZR_OK);
    int32_t before = driver.switches.load();
    while (driver.switches.load() < before + 3) std::this_thread::yield();
    ASSERT_EQ(d->free(), ZR_OK);
  }
  EXPECT_EQ(d->done(), ZR_OK);
  EXPECT_GE(copied.load(), 150);
  EXPECT_EQ(driver.starts, 50);
  EXPECT_EQ(driver.stops, 50);
}

}  // namespace
