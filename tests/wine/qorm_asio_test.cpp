// The ASIO device against the test driver (zrasio.dll), registered in this test's Wine prefix:
// discovery lists it, blocks stream both ways through copyBuffer, modes change, and nothing is left
// behind.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <string>
#include <vector>

#include "asio_driver/ZR_Test_Asio.h"
#include "rts/ZR_Rts_instances.h"
#include "win32/asio/ZR_Rts_Asio.h"
#include "win32/asio/ZR_asio.h"

namespace {

using namespace zr_test_asio;

// The client: checks every input block against the driver's samples and copies input channel k to
// output channel k, which the driver checks in turn.
std::atomic<ZR_Rts_Asio*> device{nullptr};
std::atomic<int32_t> blocks{0}, badInputs{0}, sameHalves{0}, refusedCopies{0};
int32_t lastBlock = -1;
const uint8_t* lastHalf = nullptr;

void block() {
  ZR_Rts_Asio* d = device.load();
  if (!d) return;
  ZR_Chain_Item* out = d->outputs.first();
  bool first = true;
  for (ZR_Chain_Item* in = d->inputs.first(); in != d->inputs.end(); in = in->next) {
    auto* chan = static_cast<ZR_Rts_Asio::Chan*>(in->data);
    int32_t samples[kMaxSize];
    std::memcpy(samples, chan->buffer, static_cast<size_t>(chan->count) * 4);
    int32_t number = samples[0] >> 16;
    bool good = true;
    for (int32_t f = 0; f < chan->count; ++f) good = good && samples[f] == sample(number, chan->index, f);
    if (first) {
      // The driver counts blocks from each start; within a run they follow one another, and the
      // halves of the double buffer alternate.
      good = good && (number == 0 || number == lastBlock + 1);
      if (number != 0 && chan->buffer == lastHalf) sameHalves.fetch_add(1);
      lastBlock = number;
      lastHalf = chan->buffer;
      first = false;
    }
    if (!good) badInputs.fetch_add(1);
    if (out != d->outputs.end()) {
      if (ZR_Rts::copyBuffer(static_cast<ZR_Rts::Chan*>(out->data), chan) != ZR_OK)
        refusedCopies.fetch_add(1);
      out = out->next;
    }
  }
  blocks.fetch_add(1);
}

Stats driverStats() {
  Stats stats{};
  HMODULE driver = GetModuleHandleA("zrasio.dll");
  auto read = reinterpret_cast<ZR_test_asio_stats_fn>(
      reinterpret_cast<void (*)()>(GetProcAddress(driver, "ZR_test_asio_stats")));
  EXPECT_NE(read, nullptr) << "the test driver is not loaded";
  if (read) read(&stats);
  return stats;
}

bool waitForBlocks(int32_t count) {
  int32_t target = blocks.load() + count;
  for (int i = 0; i < 2000 && blocks.load() < target; ++i) Sleep(10);
  return blocks.load() >= target;
}

std::vector<ZR_Rts::Mode*> modesOf(ZR_Rts_Asio* d) {
  std::vector<ZR_Rts::Mode*> modes;
  d->modes.forEach<ZR_Rts::Mode>([&](ZR_Rts::Mode* m) { modes.push_back(m); });
  return modes;
}

class AsioTestDriver : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(ZR_Rts_Asio::classInit(&block), ZR_OK);
    ZR_Rts_Asio::asioClass.list.forEach<ZR_Rts_Asio>([&](ZR_Rts_Asio* d) {
      if (std::strcmp(d->name(), ZR_TEST_ASIO_DESCRIPTION) == 0) found = d;
    });
    ASSERT_NE(found, nullptr) << "the registered test driver is not listed";
    device = found;
  }
  void TearDown() override {
    device = nullptr;
    ZR_Rts_Asio::classDone();
  }
  ZR_Rts_Asio* found = nullptr;
};

TEST_F(AsioTestDriver, StreamsBothWaysAndChangesMode) {
  ASSERT_EQ(found->init(), ZR_OK);
  std::vector<ZR_Rts::Mode*> modes = modesOf(found);
  ASSERT_EQ(modes.size(), 2u);
  EXPECT_STREQ(modes[0]->text, " 48.0 kHz, 32 bit, stereo");
  EXPECT_STREQ(modes[1]->text, " 44.1 kHz, 32 bit, stereo");
  std::vector<int32_t> inputs;
  found->inputs.forEach<ZR_Rts_Asio::Chan>([&](ZR_Rts_Asio::Chan* c) { inputs.push_back(c->index); });
  EXPECT_EQ(inputs, (std::vector<int32_t>{0, 2}));  // the big-endian one is left out

  Stats before = driverStats();
  ASSERT_EQ(found->mode(modes[0]), ZR_OK);
  EXPECT_EQ(found->outputs.count, 2);  // the DSD one is left out
  ASSERT_TRUE(waitForBlocks(300));
  ASSERT_EQ(found->free(), ZR_OK);
  Stats first = driverStats();
  EXPECT_EQ(first.rate, 48000);
  EXPECT_EQ(first.bufferSize, kPreferredSize);
  EXPECT_EQ(first.bufferCount, 4);
  // The host says it takes the time-info switch, so the driver used only that one.
  EXPECT_GE(first.switches - before.switches, 300);
  EXPECT_EQ(first.timeInfoSwitches - before.timeInfoSwitches, first.switches - before.switches);
  EXPECT_EQ(first.outputBlocks - before.outputBlocks, 2 * (first.switches - before.switches));
  EXPECT_EQ(first.badOutputBlocks, before.badOutputBlocks);
  EXPECT_EQ(first.liveBufferSets, 0);  // free disposed of them
  EXPECT_EQ(first.runningThreads, 0);

  ASSERT_EQ(found->mode(modes[1]), ZR_OK);
  ASSERT_TRUE(waitForBlocks(100));
  ASSERT_EQ(found->free(), ZR_OK);
  Stats second = driverStats();
  EXPECT_EQ(second.rate, 44100);
  EXPECT_GT(second.outputBlocks, first.outputBlocks);
  EXPECT_EQ(second.badOutputBlocks, before.badOutputBlocks);
  EXPECT_EQ(badInputs.load(), 0);
  EXPECT_EQ(sameHalves.load(), 0);
  EXPECT_EQ(refusedCopies.load(), 0);

  ASSERT_EQ(found->done(), ZR_OK);
  Stats after = driverStats();
  EXPECT_EQ(after.liveObjects, 0);  // unloaded
  EXPECT_EQ(after.createsOverLive, 0);
}

TEST_F(AsioTestDriver, HundredModeChangesLeaveNothingBehind) {
  ASSERT_EQ(found->init(), ZR_OK);
  std::vector<ZR_Rts::Mode*> modes = modesOf(found);
  ASSERT_EQ(modes.size(), 2u);
  Stats before = driverStats();
  for (int i = 0; i < 100; ++i) {
    ASSERT_EQ(found->mode(modes[i % 2]), ZR_OK) << i;
    ASSERT_TRUE(waitForBlocks(2)) << i;
    ASSERT_EQ(found->free(), ZR_OK) << i;
    ASSERT_EQ(found->outputs.count, 0);
    Stats now = driverStats();
    ASSERT_EQ(now.liveBufferSets, 0) << i;
    ASSERT_EQ(now.runningThreads, 0) << i;
  }
  Stats after = driverStats();
  EXPECT_EQ(after.starts - before.starts, 100);
  EXPECT_EQ(after.stops - before.stops, 100);
  EXPECT_EQ(after.createsOverLive, 0);
  EXPECT_EQ(after.badOutputBlocks, before.badOutputBlocks);
  EXPECT_EQ(badInputs.load(), 0);
  EXPECT_EQ(found->modes.count, 2);
  EXPECT_EQ(found->inputs.count, 2);
  ASSERT_EQ(found->done(), ZR_OK);
  EXPECT_EQ(driverStats().liveObjects, 0);
  EXPECT_EQ(found->modes.count + found->inputs.count, 0);
}

// Registry entries as installers leave them: a server path longer than 128 characters, a class id
// stored as bytes, a description without its terminator, a description that is a number.
class RegistryEntries : public ::testing::Test {
 protected:
  static constexpr char kOtherClsid[] = "{6D1B2C3A-8E4F-4C21-9A0B-5152524D4154}";
  void TearDown() override {
    for (const char* name : kDrivers)
      RegDeleteKeyA(HKEY_LOCAL_MACHINE, (std::string("software\\asio\\") + name).c_str());
    RegDeleteKeyA(HKEY_CLASSES_ROOT, (std::string("CLSID\\") + kOtherClsid + "\\InprocServer32").c_str());
    RegDeleteKeyA(HKEY_CLASSES_ROOT, (std::string("CLSID\\") + kOtherClsid).c_str());
  }
  static void set(HKEY root, const std::string& path, const char* value, DWORD type, const void* data,
                  DWORD size) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExA(key, value, 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
    RegCloseKey(key);
  }
  static void setText(const std::string& driver, const char* value, const std::string& text) {
    set(HKEY_LOCAL_MACHINE, "software\\asio\\" + driver, value, REG_SZ, text.c_str(),
        static_cast<DWORD>(text.size() + 1));
  }
  static constexpr const char* kDrivers[] = {"QORM long path", "QORM binary clsid", "QORM unterminated",
                                             "QORM number description"};
};

TEST_F(RegistryEntries, AreReadOnlyAsTextsOfAnyLength) {
  // A server library deep enough that its path has more than 128 characters.
  char temp[MAX_PATH];
  ASSERT_GT(GetTempPathA(MAX_PATH, temp), 0u);
  std::string path = temp;
  for (const char* part :
       {"qorm_asio_a_directory_name_of_forty_characters", "qorm_asio_another_directory_of_forty_chars",
        "qorm_asio_a_third_directory_of_forty_chars"}) {
    path += part;
    CreateDirectoryA(path.c_str(), nullptr);
    path += "\\";
  }
  path += "driver.dll";
  ASSERT_GT(path.size(), 128u);
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  CloseHandle(file);
  std::string server = std::string("CLSID\\") + kOtherClsid + "\\InprocServer32";
  set(HKEY_CLASSES_ROOT, server, nullptr, REG_SZ, path.c_str(), static_cast<DWORD>(path.size() + 1));
  setText(kDrivers[0], "clsid", kOtherClsid);
  setText(kDrivers[0], "description", "Long path driver");

  const char clsid[] = ZR_TEST_ASIO_CLSID_TEXT;
  set(HKEY_LOCAL_MACHINE, std::string("software\\asio\\") + kDrivers[1], "clsid", REG_BINARY, clsid,
      sizeof clsid);
  setText(kDrivers[1], "description", "Binary");

  setText(kDrivers[2], "clsid", clsid);
  const char unterminated[] = "Unterminated";
  set(HKEY_LOCAL_MACHINE, std::string("software\\asio\\") + kDrivers[2], "description", REG_SZ, unterminated,
      sizeof unterminated - 1);

  setText(kDrivers[3], "clsid", clsid);
  DWORD number = 42;
  set(HKEY_LOCAL_MACHINE, std::string("software\\asio\\") + kDrivers[3], "description", REG_DWORD, &number,
      sizeof number);

  AsioDrivers list(ZR_asio_system());
  std::vector<std::string> names;
  for (int32_t i = 0; i < list.driverCount(); ++i) {
    char name[128];
    ASSERT_EQ(list.driverName(i, name, sizeof name), 0);
    names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"Long path driver", "QORM number description",
                                             ZR_TEST_ASIO_DESCRIPTION, "Unterminated"}));
}

}  // namespace
