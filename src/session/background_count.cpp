#include "session/background_count.h"

#include <system_error>
#include <utility>

namespace headly {

BackgroundCount::BackgroundCount(Counts counts) : counts_(std::move(counts)) {
  try {
    thread_ = std::thread([this] { run(); });
  } catch (const std::system_error&) {
  }
}

BackgroundCount::~BackgroundCount() { stop(); }

void BackgroundCount::add(LineRun lines) {
  std::unique_lock<std::mutex> lock(mutex_);
  if (closing_ || failure_ || lines.first == lines.last) return;
  waiting_.push_back(lines);
  if (thread_.joinable()) {
    lock.unlock();
    changed_.notify_one();
    return;
  }
  countOneWaiting(lock);
}

int64_t BackgroundCount::total() {
  std::unique_lock<std::mutex> lock(mutex_);
  closing_ = true;
  changed_.notify_one();
  // The calling thread counts the batches still waiting as well.
  while (countOneWaiting(lock)) {
  }
  lock.unlock();
  if (thread_.joinable()) thread_.join();
  if (failure_) std::rethrow_exception(failure_);
  return count_;
}

void BackgroundCount::stop() noexcept {
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    closing_ = true;
    waiting_.clear();
  }
  changed_.notify_one();
  if (thread_.joinable()) thread_.join();
}

void BackgroundCount::run() {
  std::unique_lock<std::mutex> lock(mutex_);
  do {
    changed_.wait(lock, [&] { return closing_ || !waiting_.empty(); });
  } while (countOneWaiting(lock));
}

bool BackgroundCount::countOneWaiting(std::unique_lock<std::mutex>& lock) {
  if (waiting_.empty() || failure_) return false;
  const LineRun lines = waiting_.front();
  waiting_.pop_front();
  lock.unlock();
  int64_t found = 0;
  std::exception_ptr failure;
  try {
    for (size_t i = lines.first; i < lines.last; ++i)
      if (counts_(lines[i])) ++found;
  } catch (...) {
    failure = std::current_exception();
  }
  lock.lock();
  count_ += found;
  if (failure && !failure_) failure_ = failure;
  return true;
}

}  // namespace headly
