#include "win32/asio/ZR_asio.h"

#include <gtest/gtest.h>

#include "ZR_Asio_fakes.h"

namespace {

// Installs a registry with one driver; leaves no list and no loaded driver behind.
class AsioHost : public ::testing::Test {
 protected:
  void SetUp() override {
    system.addDriver("fake", "Fake driver", &driver);
    previous = ZR_asio_use_system(&system);
  }
  void TearDown() override {
    ASIOExit();
    delete asioDrivers;
    asioDrivers = nullptr;
    ZR_asio_use_system(previous);
  }

  FakeAsioDriver driver;
  FakeAsioSystem system;
  ZR_Asio_System* previous = nullptr;
};

TEST_F(AsioHost, WithoutADriverEveryCallSaysNotPresent) {
  ASIODriverInfo info{};
  std::strcpy(info.name, "stale");
  EXPECT_EQ(ASIOInit(&info), ASE_NotPresent);
  EXPECT_STREQ(info.name, "No ASIO Driver");
  EXPECT_EQ(info.driverVersion, 0);

  int32_t in = 5, out = 5, mn = 1, mx = 1, pref = 1, gran = 1;
  EXPECT_EQ(ASIOGetChannels(&in, &out), ASE_NotPresent);
  EXPECT_EQ(in + out, 0);
  EXPECT_EQ(ASIOGetBufferSize(&mn, &mx, &pref, &gran), ASE_NotPresent);
  EXPECT_EQ(mn | mx | pref | gran, 0);
  ASIOChannelInfo channel{};
  channel.type = 18;
  EXPECT_EQ(ASIOGetChannelInfo(&channel), ASE_NotPresent);
  EXPECT_EQ(channel.channelGroup, -1);
  EXPECT_EQ(channel.type, 0);
  EXPECT_STREQ(channel.name, "None");
  int dummy;
  ASIOBufferInfo infos[2] = {{1, 0, {&dummy, &dummy}}, {0, 0, {&dummy, &dummy}}};
  EXPECT_EQ(ASIOCreateBuffers(infos, 2, 64, nullptr), ASE_NotPresent);
  for (const ASIOBufferInfo& b : infos) EXPECT_TRUE(b.buffers[0] == nullptr && b.buffers[1] == nullptr);
  for (ASIOError result :
       {ASIOStart(), ASIOStop(), ASIOCanSampleRate(48000), ASIOSetSampleRate(48000), ASIODisposeBuffers()}) {
    EXPECT_EQ(result, ASE_NotPresent);
  }
  EXPECT_EQ(ASIOExit(), ASE_OK);
}

TEST_F(AsioHost, InitReadsTheDriversWholeResult) {
  ASSERT_TRUE(loadAsioDriver(0));
  ASSERT_NE(asioDrivers, nullptr);  // made on first use
  driver.initResult = 0x100;        // ready, though its low byte is zero
  ASIODriverInfo info{};
  EXPECT_EQ(ASIOInit(&info), ASE_OK);
  EXPECT_STREQ(info.name, "Fake");
  EXPECT_EQ(info.driverVersion, 7);
  EXPECT_STREQ(info.errorMessage, "No ASIO Driver Error");
  // A second init talks to the same driver directly: nothing stands between that could wrap itself.
  EXPECT_EQ(ASIOInit(&info), ASE_OK);
  EXPECT_EQ(ASIOStart(), ASE_OK);
  EXPECT_EQ(driver.inits, 2);
  EXPECT_EQ(driver.starts, 1);
  EXPECT_EQ(ASIOExit(), ASE_OK);
  EXPECT_EQ(driver.refs, 0);
  EXPECT_EQ(ASIOStart(), ASE_NotPresent);
}

TEST_F(AsioHost, AFailedInitDropsTheDriverWithItsMessage) {
  ASSERT_TRUE(loadAsioDriver(0));
  driver.initResult = 0;
  ASIODriverInfo info{};
  EXPECT_EQ(ASIOInit(&info), ASE_NotPresent);
  EXPECT_STREQ(info.name, "No ASIO Driver");
  EXPECT_STREQ(info.errorMessage, "fake failure");
  EXPECT_EQ(ASIOStart(), ASE_NotPresent);
  EXPECT_FALSE(loadAsioDriver(3));
}

TEST_F(AsioHost, CallsForwardToTheLoadedDriver) {
  ASSERT_TRUE(loadAsioDriver(0));
  int32_t in = 0, out = 0, mn = 0, mx = 0, pref = 0, gran = 0;
  EXPECT_EQ(ASIOGetChannels(&in, &out), ASE_OK);
  EXPECT_EQ(ASIOGetBufferSize(&mn, &mx, &pref, &gran), ASE_OK);
  EXPECT_EQ(in * 1000 + out, 2002);
  EXPECT_EQ(pref, 256);
  EXPECT_EQ(ASIOCanSampleRate(44100), ASE_OK);
  EXPECT_NE(ASIOCanSampleRate(96000), ASE_OK);
  EXPECT_EQ(ASIOSetSampleRate(96000), ASE_OK);
  EXPECT_EQ(driver.rate, 96000);
  ASIOChannelInfo channel{1, 1, 0, 0, 0, ""};
  EXPECT_EQ(ASIOGetChannelInfo(&channel), ASE_OK);
  EXPECT_STREQ(channel.name, "In 1");
  EXPECT_EQ(ASIOStop(), ASE_OK);
  EXPECT_EQ(ASIODisposeBuffers(), ASE_OK);
  EXPECT_EQ(driver.stops * 10 + driver.disposes, 11);
}

}  // namespace
