// Memory made ready on another thread keeps every byte: those written before
// and those the caller writes meanwhile.
#include "system/large_pages.h"

#include <gtest/gtest.h>

#include <string>

namespace headly {
namespace {

TEST(LargePages, MemoryMadeReadyKeepsTheBytesWrittenBeforeAndMeanwhile) {
  const size_t size = size_t(32) << 20;
  std::string buffer;
  buffer.reserve(size);
  buffer.assign(size / 4, 'a');
  adviseLargePages(buffer.data(), buffer.capacity());
  {
    const MemoryMadeReady ready(buffer.data(), buffer.capacity());
    while (buffer.size() < size) buffer += char('b' + buffer.size() % 7);
  }
  ASSERT_EQ(buffer.size(), size);
  for (size_t i = 0; i < size / 4; ++i) ASSERT_EQ(buffer[i], 'a') << i;
  for (size_t i = size / 4; i < size; ++i) ASSERT_EQ(buffer[i], char('b' + i % 7)) << i;
  // Too little to be worth a thread, and nothing at all: nothing happens.
  const MemoryMadeReady small(buffer.data(), 100), none(nullptr, 0);
}

}  // namespace
}  // namespace headly
