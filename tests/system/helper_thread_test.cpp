// The helper thread does its jobs in turn while its owner works, hands back
// what a job threw, and bytes mapped of their own keep what they keep.
#include "system/helper_thread.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

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
  helper.start([&done] { done += 'e'; });  // the destructor waits for it
}

TEST(MappedBytes, KeepsTheBytesAtItsStart) {
  MappedBytes bytes(3 << 20);
  for (size_t i = 0; i < 10000; ++i) bytes.data()[i] = char('a' + i % 26);
  bytes.keep(5000);
  ASSERT_EQ(bytes.view().size(), 5000u);
  for (size_t i = 0; i < 5000; ++i) ASSERT_EQ(bytes.view()[i], char('a' + i % 26)) << i;
  MappedBytes moved = std::move(bytes);
  EXPECT_EQ(moved.view().substr(0, 3), "abc");
  moved.keep(0);
  EXPECT_TRUE(moved.view().empty());
}

}  // namespace
}  // namespace headly
