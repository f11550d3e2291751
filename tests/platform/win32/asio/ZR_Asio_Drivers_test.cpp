#include "win32/asio/ZR_Asio_Drivers.h"

#include <gtest/gtest.h>

#include <string>

#include "ZR_Asio_fakes.h"

namespace {

std::string nameOf(const AsioDriverList& list, int32_t index, int32_t size = 128) {
  char text[128] = "unchanged";
  EXPECT_EQ(list.driverName(index, text, size), 0);
  return text;
}

TEST(AsioDriverList, WithoutTheAsioKeyIsEmptyAndLeavesComAlone) {
  FakeAsioSystem system;
  system.hasAsioKey = false;
  {
    AsioDriverList list(system);
    EXPECT_EQ(list.driverCount(), 0);
  }
  EXPECT_EQ(system.comInits, 0);
  EXPECT_EQ(system.comDones, 0);
}

TEST(AsioDriverList, ListsOnlyDriversWhoseServerFileExists) {
  FakeAsioDriver driver;
  FakeAsioSystem system;
  system.addDriver("Alpha key", "Alpha", &driver);
  system.addDriver("Beta key", "", &driver);  // no description: listed under its key
  std::string noServer = system.addDriver("No server", "Gamma", &driver);
  system.servers.erase(noServer);
  std::string noFile = system.addDriver("No file", "Delta", &driver);
  system.files.erase(system.servers[noFile]);
  system.keys.push_back({"No clsid", {{"description", "Epsilon"}}});
  std::string longName(200, 'x');
  system.addDriver("Long", longName, &driver);
  // A class-id text that does not parse still lists the driver, with a zero class id.
  system.keys.push_back({"Odd", {{"clsid", "odd"}, {"description", "Odd one"}}});
  system.servers["odd"] = "C:\\odd.dll";
  system.files.insert("C:\\odd.dll");
  {
    AsioDriverList list(system);
    ASSERT_EQ(list.driverCount(), 4);
    EXPECT_EQ(nameOf(list, 0), "Alpha");
    EXPECT_EQ(nameOf(list, 1), "Beta key");
    EXPECT_EQ(nameOf(list, 2, 128), longName.substr(0, 127));
    EXPECT_EQ(nameOf(list, 3), "Odd one");
    EXPECT_EQ(system.comInits, 1);
  }
  EXPECT_EQ(system.comDones, 1);
}

TEST(AsioDriverList, DriverNameCutsWhatDoesNotFit) {
  FakeAsioDriver driver;
  FakeAsioSystem system;
  const std::string forty = "0123456789012345678901234567890123456789";
  system.addDriver("k40", forty, &driver);
  system.addDriver("k31", forty.substr(0, 31), &driver);
  system.addDriver("k32", forty.substr(0, 32), &driver);
  AsioDriverList list(system);
  struct Case {
    int32_t index;
    int32_t size;
    const char* expected;
  } cases[] = {
      {0, 32, "0123456789012345678901234567..."},
      {1, 32, "0123456789012345678901234567890"},
      {2, 32, "0123456789012345678901234567..."},
      {0, 5, "0..."},
      {0, 4, "..."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.expected);
    EXPECT_EQ(nameOf(list, c.index, c.size), c.expected);
  }
  char text[8] = "keep";
  EXPECT_EQ(list.driverName(0, text, 3), kAsioDrvInvalidArgument);
  EXPECT_STREQ(text, "keep");
  EXPECT_EQ(list.driverName(0, nullptr, 32), kAsioDrvInvalidArgument);
  EXPECT_EQ(list.driverName(-1, text, 8), kAsioDrvNoSuchDriver);
  EXPECT_EQ(list.driverName(3, text, 8), kAsioDrvNoSuchDriver);
}

TEST(AsioDriverList, OpensEachDriverOnceAndReleasesWhatIsOpen) {
  FakeAsioDriver first, second;
  FakeAsioSystem system;
  system.addDriver("one", "One", &first);
  system.addDriver("two", "Two", &second);
  {
    AsioDriverList list(system);
    IASIO* driver = nullptr;
    EXPECT_EQ(list.openDriver(0, nullptr), kAsioDrvInvalidArgument);
    EXPECT_EQ(list.openDriver(2, &driver), kAsioDrvNoSuchDriver);
    ASSERT_EQ(list.openDriver(0, &driver), 0);
    EXPECT_EQ(driver, &first);
    EXPECT_EQ(list.openDriver(0, &driver), kAsioDrvAlreadyOpen);
    EXPECT_EQ(first.refs, 1);
    EXPECT_EQ(list.closeDriver(0), 0);
    EXPECT_EQ(first.refs, 0);
    EXPECT_EQ(list.closeDriver(0), 0);
    EXPECT_EQ(list.closeDriver(9), 0);
    ASSERT_EQ(list.openDriver(1, &driver), 0);
    EXPECT_EQ(second.refs, 1);
    system.createFailure = -42;
    EXPECT_EQ(list.openDriver(0, &driver), -42);
    EXPECT_EQ(driver, &second);  // a failed open leaves the caller's pointer alone
  }
  EXPECT_EQ(second.refs, 0);  // the list released the driver left open
}

TEST(AsioDrivers, LoadsByIndexAndKeepsOrRestoresTheCurrentDriver) {
  FakeAsioDriver first, second;
  FakeAsioSystem system;
  // Two drivers of the same name stay apart: they are loaded by index.
  system.addDriver("a", "Same", &first);
  system.addDriver("b", "Same", &second);
  AsioDrivers list(system);
  IASIO* loaded = nullptr;
  EXPECT_EQ(list.currentIndex(), -1);
  ASSERT_TRUE(list.loadDriver(1, &loaded));
  EXPECT_EQ(loaded, &second);
  EXPECT_EQ(list.currentIndex(), 1);

  EXPECT_FALSE(list.loadDriver(5, &loaded));  // not listed: nothing changes
  EXPECT_EQ(loaded, &second);
  EXPECT_EQ(list.currentIndex(), 1);
  EXPECT_EQ(second.refs, 1);

  ASSERT_TRUE(list.loadDriver(0, &loaded));  // the previous driver is released first
  EXPECT_EQ(loaded, &first);
  EXPECT_EQ(second.refs, 0);

  // Opening the other one fails: the one current before is opened again.
  system.drivers.erase(system.keys[1].values["clsid"]);
  EXPECT_FALSE(list.loadDriver(1, &loaded));
  EXPECT_EQ(loaded, &first);
  EXPECT_EQ(list.currentIndex(), 0);
  EXPECT_EQ(first.refs, 1);
  EXPECT_EQ(system.creations, 3);

  EXPECT_EQ(list.removeCurrentDriver(), 0);
  EXPECT_EQ(list.currentIndex(), -1);
  EXPECT_EQ(first.refs, 0);
}

}  // namespace
