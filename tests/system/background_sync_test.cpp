// The sync on another thread: it forces what is written while writing goes
// on, and a sync that failed is still reported when it is finished, since
// the system reports a lost write only once.
#include "system/background_sync.h"

#include <gtest/gtest.h>
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "support/temp_folder.h"

namespace headly {
namespace {

TEST(BackgroundSync, SyncsWhileWritingGoesOn) {
  test::TempFolder temp;
  const std::string path = temp / "out";
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT, 0644);
  ASSERT_GE(fd, 0);
  BackgroundSync sync(fd);
  const std::string block(1 << 16, 'x');
  for (int n = 0; n < 64; ++n) {
    ASSERT_EQ(::write(fd, block.data(), block.size()), ssize_t(block.size()));
    if (n % 8 == 0) sync.request();
  }
  EXPECT_EQ(sync.finish(), 0);
  EXPECT_EQ(sync.finish(), 0);  // finishing twice is harmless
  ::close(fd);
  EXPECT_EQ(temp.read("out").size(), 64u << 16);
}

TEST(BackgroundSync, AFailedSyncIsKeptUntilTheEnd) {
  // A sync still asked for when finishing is left to the final one, so the
  // thread is given ever more time to get to it.
  int error = 0;
  for (int n = 1; n <= 50 && error == 0; ++n) {
    BackgroundSync sync(-1);  // no file: every sync fails
    sync.request();
    usleep(useconds_t(1000 * n));
    error = sync.finish();
  }
  EXPECT_EQ(error, EBADF);
}

}  // namespace
}  // namespace headly
