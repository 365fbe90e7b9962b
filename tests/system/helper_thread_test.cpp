// The helper thread does its jobs in turn while its owner works, hands back
// what a job threw, and bytes mapped of their own keep what they keep.
#include "system/helper_thread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <string>
#include <thread>

#include "system/mapped_bytes.h"

namespace headly {
namespace {

TEST(HelperThread, JobsRunInTurnAndTheirFailuresComeBack) {
  HelperThread helper;
  std::string done;
  for (char c : std::string("abc")) {
    helper.start([&done, c] { done += c; });
    helper.wait();
  }
  EXPECT_EQ(done, "abc");
  helper.start([] { throw std::runtime_error("no room"); });
  EXPECT_THROW(helper.wait(), std::runtime_error);
  // The failure is handed back once; the thread goes on.
  helper.start([&done] { done += 'd'; });
  helper.wait();
  EXPECT_EQ(done, "abcd");
  // Its owner may ask whether the job is still under way, and work on.
  std::atomic<bool> release = false;
  helper.start([&release] {
    while (!release) std::this_thread::yield();
  });
  EXPECT_TRUE(helper.busy());
  release = true;
  helper.wait();
  EXPECT_FALSE(helper.busy());
  helper.start([&done] { done += 'e'; });  // the destructor waits for it
}

TEST(MappedBytes, GrowsWithItsWholeRoom) {
  MappedBytes bytes;
  EXPECT_TRUE(bytes.view().empty());
  bytes.append("abc");
  EXPECT_EQ(bytes.view(), "abc");
  // Bytes written past those held move with the room when it grows, large
  // pages and all, and resizing writes nothing.
  bytes.reserve(3 << 20);
  for (size_t i = 0; i < (3 << 20); ++i) bytes.data()[i] = char('a' + i % 26);
  const size_t roomBefore = bytes.room();
  bytes.reserve(roomBefore + 1);
  EXPECT_GT(bytes.room(), roomBefore);
  bytes.resize(3 << 20);
  for (size_t i = 0; i < (3 << 20); ++i) ASSERT_EQ(bytes.view()[i], char('a' + i % 26)) << i;
  bytes.resize(1);
  bytes.append(std::string(5 << 20, 'z'));
  EXPECT_EQ(bytes.size(), 1u + (5 << 20));
  EXPECT_EQ(bytes.view().substr(0, 2), "az");
  MappedBytes moved = std::move(bytes);
  EXPECT_EQ(moved.view().back(), 'z');
  EXPECT_TRUE(bytes.view().empty());
}

}  // namespace
}  // namespace headly
