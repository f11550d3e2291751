#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "cmd/ZR_Mutex.h"

// The Windows build must really be the 32-bit target its effect record layout is made for.
TEST(Platform, PointerWidthMatchesTheTarget) {
#ifdef _WIN32
  EXPECT_EQ(sizeof(void*), 4u);
#else
  EXPECT_EQ(sizeof(void*), sizeof(intptr_t));
#endif
}

TEST(Platform, MutexTimesOutWhileAnotherThreadHoldsIt) {
  ZR_Mutex mutex;
  ASSERT_TRUE(mutex.lock(0));
  std::atomic<int> got{-1};
  std::thread other([&] { got = mutex.lock(50) ? 1 : 0; });
  other.join();
  EXPECT_EQ(got.load(), 0);
  mutex.unlock();
  std::thread again([&] {
    got = mutex.lock(1000) ? 1 : 0;
    if (got) mutex.unlock();
  });
  again.join();
  EXPECT_EQ(got.load(), 1);
}
