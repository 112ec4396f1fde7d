#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "platform/win32/Win32Platform.h"

namespace tessary {
namespace {

std::string uniqueMutexName(const char* what) {
  return std::string("TessaryTest") + what + std::to_string(GetCurrentProcessId());
}

// Mutex ownership belongs to a thread: another instance is another thread here.
MutexTake takeFromAnotherThread(const std::string& name) {
  MutexTake result = MutexTake::Failed;
  std::thread([&] {
    Win32Platform other;
    result = other.takeNamedMutex(name);
  }).join();
  return result;
}

TEST(Win32Mutex, OneHolderAtATimeAndFreeAgainOnceReleased) {
  const std::string name = uniqueMutexName("Hold");
  Win32Platform first;
  ASSERT_EQ(first.takeNamedMutex(name), MutexTake::Taken);
  EXPECT_EQ(takeFromAnotherThread(name), MutexTake::HeldElsewhere);
  // Even this thread's second instance must not get in.
  Win32Platform second;
  EXPECT_EQ(second.takeNamedMutex(name), MutexTake::HeldElsewhere);
  first.releaseNamedMutex();
  first.releaseNamedMutex();  // nothing held: nothing happens
  EXPECT_EQ(takeFromAnotherThread(name), MutexTake::Taken);
  EXPECT_EQ(second.takeNamedMutex(name), MutexTake::Taken);
}

TEST(Win32Mutex, AnAbandonedMutexIsTakenOverAndKeptOwned) {
  const std::string name = uniqueMutexName("Abandoned");
  HANDLE leftOver = nullptr;
  // An owner that ends without releasing; its handle stays open, so the
  // mutex outlives it.
  std::thread([&] { leftOver = CreateMutexA(nullptr, TRUE, name.c_str()); }).join();
  ASSERT_TRUE(leftOver);
  Win32Platform platform;
  EXPECT_EQ(platform.takeNamedMutex(name), MutexTake::Taken);
  EXPECT_EQ(takeFromAnotherThread(name), MutexTake::HeldElsewhere);
  platform.releaseNamedMutex();
  // Still open elsewhere though nobody owns it: only an abandoned one is taken.
  EXPECT_EQ(takeFromAnotherThread(name), MutexTake::HeldElsewhere);
  CloseHandle(leftOver);
  EXPECT_EQ(takeFromAnotherThread(name), MutexTake::Taken);
}

TEST(Win32Mutex, ReleasedWhenThePlatformEnds) {
  const std::string name = uniqueMutexName("End");
  {
    Win32Platform platform;
    ASSERT_EQ(platform.takeNamedMutex(name), MutexTake::Taken);
  }
  EXPECT_EQ(takeFromAnotherThread(name), MutexTake::Taken);
}

TEST(Win32Mutex, ANameTheSystemRefusesFails) {
  Win32Platform platform;
  // A backslash names a namespace that does not exist.
  EXPECT_EQ(platform.takeNamedMutex("NoSuchNamespace\\TessaryTest"), MutexTake::Failed);
}

TEST(Win32Rights, MemoryAndServiceManager) {
  Win32Platform platform;
  EXPECT_GT(platform.totalPhysicalMemory(), 16u * 1024 * 1024);
  // Wine's user is an administrator.
  EXPECT_TRUE(platform.serviceManagerFullAccess());
}

}  // namespace
}  // namespace tessary
