#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <thread>

#include "cmd/ZR_Mutex.h"

// The build must really be for the processor its toolchain names (QORM_TARGET_POINTER_BYTES comes
// from it): the effect record's layout follows the pointer width.
TEST(Platform, PointerWidthMatchesTheTarget) {
  EXPECT_EQ(sizeof(void*), size_t{QORM_TARGET_POINTER_BYTES});
  EXPECT_EQ(sizeof(intptr_t), sizeof(void*));
}

TEST(Platform, MutexTimesOutWhileAnotherThreadHoldsIt) {
  ZR_Mutex mutex;
  ASSERT_TRUE(mutex.lock(0));
  std::atomic<int> got{-1};
  std::thread other([&] { got = mutex.lock(50) ? 1 : 0; });
  other.join();
  EXPECT_EQ(got.load(), 0);
  std::thread tried([&] { got = mutex.lock(0) ? 1 : 0; });  // the audio callback's try
  tried.join();
  EXPECT_EQ(got.load(), 0);
  mutex.unlock();
  std::thread again([&] {
    got = mutex.lock(1000) ? 1 : 0;
    if (got) mutex.unlock();
  });
  again.join();
  EXPECT_EQ(got.load(), 1);
}

// A thread that waits gets the mutex when its holder releases it, not only at its time-out.
TEST(Platform, MutexWakesAWaiterWhenReleased) {
  ZR_Mutex mutex;
  ASSERT_TRUE(mutex.lock(0));
  std::atomic<bool> waiting{false};
  std::atomic<int> got{-1};
  std::thread waiter([&] {
    waiting = true;
    got = mutex.lock(60000) ? 1 : 0;
    if (got) mutex.unlock();
  });
  while (!waiting) std::this_thread::yield();
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  const auto released = std::chrono::steady_clock::now();
  mutex.unlock();
  waiter.join();
  EXPECT_EQ(got.load(), 1);
  EXPECT_LT(std::chrono::steady_clock::now() - released, std::chrono::seconds(30));
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
