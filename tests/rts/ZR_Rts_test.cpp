#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "rts/ZR_Rts.h"
#include "rts/ZR_Rts_instances.h"

namespace {

TEST(ZR_Rts_Mode, TextNamesEachPartWithItsOwnArgument) {
  struct Case {
    int32_t rate, bits, blockSize, channels;
    const char* text;
  };
  const Case cases[] = {
      {44100, 16, 441, 2, " 44.1 kHz, 16 bit, stereo"},
      {8000, 16, 80, 1, "  8.0 kHz, 16 bit, mono"},
      {96000, 24, 960, 4, " 96.0 kHz, 24 bit, quadro"},
      {48000, 32, 512, 3, " 48.0 kHz, 32 bit, trio"},
      {48000, 32, 512, 6, " 48.0 kHz, 32 bit, 6 ch"},
      {48000, 32, 512, 8, " 48.0 kHz, 32 bit, 8 ch"},
      {48000, 32, 512, 5, " 48.0 kHz, 32 bit, 5 ch"},
      {192000, 32, 1920, 4, "192.0 kHz, 32 bit, quadro"},
      {48000, 32, 512, 0, " 48.0 kHz, 32 bit"},
      {48000, 32, 512, -3, " 48.0 kHz, 32 bit"},  // a negative count is no channels
      {0, 16, 0, 2, "16 bit, stereo"},
      {0, 0, 0, 2, "stereo"},
      {44100, 0, 441, 0, " 44.1 kHz"},
      {0, 24, 0, 0, "24 bit"},
      {0, 0, 0, 0, ""},
  };
  for (const Case& c : cases) {
    ZR_Rts::Mode m(c.rate, c.bits, c.blockSize, c.channels);
    EXPECT_STREQ(m.text, c.text) << c.rate << " " << c.bits << " " << c.channels;
    EXPECT_EQ(m.rate, c.rate);
    EXPECT_EQ(m.bits, c.bits);
    EXPECT_EQ(m.blockSize, c.blockSize);
    EXPECT_EQ(m.channels, c.channels < 0 ? 0 : c.channels);
  }
}

// A device that counts its channel records, to see which operation deletes them.
struct Counted : ZR_Rts::Chan {
  explicit Counted(int* live) : live(live) { ++*live; }
  ~Counted() override { --*live; }
  int* live;
};

TEST(ZR_Rts, BaseOperationsKeepTheirBookkeeping) {
  ZR_Rts rts("Device");
  EXPECT_STREQ(rts.name(), "Device");
  EXPECT_EQ(rts.currentMode(), nullptr);
  EXPECT_FALSE(rts.running());
  EXPECT_EQ(rts.init(), ZR_OK);

  int live = 0;
  ZR_Rts::Mode* m = new ZR_Rts::Mode(44100, 16, 441, 2);
  rts.modes.insert(m);
  rts.inputs.insert(new Counted(&live));
  EXPECT_EQ(rts.mode(m), ZR_OK);
  EXPECT_EQ(rts.currentMode(), m);
  rts.outputs.insert(new Counted(&live));
  rts.outputs.insert(new Counted(&live));
  EXPECT_EQ(live, 3);

  EXPECT_EQ(rts.start(), ZR_OK);
  EXPECT_TRUE(rts.running());
  EXPECT_EQ(rts.reserved(), ZR_OK);
  EXPECT_EQ(rts.stop(), ZR_OK);
  EXPECT_FALSE(rts.running());

  EXPECT_EQ(rts.free(), ZR_OK);
  EXPECT_EQ(rts.currentMode(), nullptr);
  EXPECT_EQ(rts.outputs.count, 0);
  EXPECT_EQ(live, 1);  // free deletes the outputs only
  EXPECT_EQ(rts.modes.count, 1);

  EXPECT_EQ(rts.done(), ZR_OK);
  EXPECT_EQ(live, 0);
  EXPECT_EQ(rts.modes.count, 0);
  EXPECT_EQ(rts.inputs.count, 0);
}

TEST(ZR_Rts, NameIsOptionalAndCutAt63Characters) {
  ZR_Rts unnamed(nullptr);
  EXPECT_STREQ(unnamed.name(), "");
  const std::string longName(100, 'x');
  ZR_Rts named(longName.c_str());
  EXPECT_EQ(std::string(named.name()), std::string(63, 'x'));
}

TEST(ZR_Rts_Chan, NewRecordIsEmpty) {
  ZR_Rts::Chan c;
  EXPECT_STREQ(c.name, "");
  EXPECT_EQ(c.buffer, nullptr);
  EXPECT_EQ(c.count, 0);
  EXPECT_EQ(c.format, 0u);
  EXPECT_EQ(c.data, &c);
}

struct Tracked : ZR_Rts {
  Tracked(const char* name, std::vector<std::string>* deleted) : ZR_Rts(name), deleted(deleted) {}
  ~Tracked() override { deleted->push_back(name()); }
  std::vector<std::string>* deleted;
};

std::vector<std::string> namesOf(const ZR_Chain& list) {
  std::vector<std::string> names;
  list.forEach<ZR_Rts>([&](ZR_Rts* r) { names.push_back(r->name()); });
  return names;
}

TEST(ZR_Rts_instances, ClassesRegisterInOrderAndLeaveBothLists) {
  ASSERT_EQ(ZR_Rts_instances.count, 0);
  std::vector<std::string> deleted;
  ZR_Rts_Class asio, wave;
  asio.add(new Tracked("ASIO A", &deleted));
  asio.add(new Tracked("ASIO B", &deleted));
  wave.add(new Tracked("Windows", &deleted));
  EXPECT_EQ(namesOf(ZR_Rts_instances), (std::vector<std::string>{"ASIO A", "ASIO B", "Windows"}));
  EXPECT_EQ(namesOf(asio.list), (std::vector<std::string>{"ASIO A", "ASIO B"}));

  asio.clear();
  EXPECT_EQ(deleted, (std::vector<std::string>{"ASIO A", "ASIO B"}));
  EXPECT_EQ(asio.list.count, 0);
  EXPECT_EQ(namesOf(ZR_Rts_instances), (std::vector<std::string>{"Windows"}));
  wave.clear();
  EXPECT_EQ(ZR_Rts_instances.count, 0);
}

}  // namespace
