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

// Like a Windows mutex: the owner may take it again, and others wait until every hold is released.
TEST(Platform, MutexIsReentrantForItsOwner) {
  ZR_Mutex mutex;
  ASSERT_TRUE(mutex.lock(0));
  ASSERT_TRUE(mutex.lock(0));
  mutex.unlock();
  std::atomic<int> got{-1};
  std::thread held([&] { got = mutex.lock(20) ? 1 : 0; });
  held.join();
  EXPECT_EQ(got.load(), 0) << "one hold is still there";
  mutex.unlock();
  std::thread freed([&] {
    got = mutex.lock(1000) ? 1 : 0;
    if (got) mutex.unlock();
  });
  freed.join();
  EXPECT_EQ(got.load(), 1);
}
