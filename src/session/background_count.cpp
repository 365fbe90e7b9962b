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

void BackgroundCount::add(std::vector<std::string_view> lines) {
  if (!thread_.joinable()) {
    count_ += countBatch(lines);
    return;
  }
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    if (closing_ || failure_) return;
    waiting_.push_back(std::move(lines));
  }
  changed_.notify_one();
}

int64_t BackgroundCount::total() {
  std::unique_lock<std::mutex> lock(mutex_);
  closing_ = true;
  changed_.notify_one();
  // The calling thread counts the batches still waiting as well.
  while (!waiting_.empty() && !failure_) {
    const std::vector<std::string_view> lines = std::move(waiting_.front());
    waiting_.pop_front();
    lock.unlock();
    const int64_t found = countBatch(lines);
    lock.lock();
    count_ += found;
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
  for (;;) {
    changed_.wait(lock, [&] { return closing_ || !waiting_.empty(); });
    if (waiting_.empty()) return;
    const std::vector<std::string_view> lines = std::move(waiting_.front());
    waiting_.pop_front();
    lock.unlock();
    int64_t found = 0;
    std::exception_ptr failure;
    try {
      found = countBatch(lines);
    } catch (...) {
      failure = std::current_exception();
    }
    lock.lock();
    count_ += found;
    if (failure) {
      failure_ = failure;
      waiting_.clear();
      return;
    }
  }
}

int64_t BackgroundCount::countBatch(const std::vector<std::string_view>& lines) const {
  int64_t found = 0;
  for (std::string_view line : lines)
    if (counts_(line)) ++found;
  return found;
}

}  // namespace headly
