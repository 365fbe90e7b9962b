#include "system/background_sync.h"

#include <unistd.h>

#include <cerrno>

namespace headly {

BackgroundSync::BackgroundSync(int fd) : fd_(fd), thread_([this] { run(); }) {}

BackgroundSync::~BackgroundSync() { finish(); }

void BackgroundSync::request() {
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    requested_ = true;
  }
  wake_.notify_one();
}

int BackgroundSync::finish() {
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_one();
  if (thread_.joinable()) thread_.join();
  return error_;
}

void BackgroundSync::run() {
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    wake_.wait(lock, [this] { return requested_ || stopping_; });
    // What is still asked for when stopping is left to the final sync.
    if (stopping_) return;
    requested_ = false;
    lock.unlock();
    int failure = 0;
    while (::fdatasync(fd_) != 0) {
      if (errno == EINTR) continue;
      // A file system that cannot sync has nothing to force.
      if (errno != EINVAL && errno != EROFS) failure = errno;
      break;
    }
    lock.lock();
    if (error_ == 0) error_ = failure;
  }
}

}  // namespace headly
