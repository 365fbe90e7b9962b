#include "session/ordered_blocks.h"

#include <algorithm>
#include <cmath>

namespace headly {

namespace {
constexpr int kMostThreads = 4;
constexpr double kBlockBytes = 64 * 1024;
constexpr int64_t kFewestRecords = 16, kMostRecords = 8192;
}  // namespace

WorkSplit settleSplit(const WorkSplit& asked, double bytesPerRecord) {
  WorkSplit split = asked;
  if (split.threads <= 0) split.threads = std::clamp(int(std::thread::hardware_concurrency()), 1, kMostThreads);
  if (split.blockRecords <= 0) {
    const double records = kBlockBytes / std::max(bytesPerRecord, 1.0);
    split.blockRecords = std::clamp(int64_t(std::lround(records)), kFewestRecords, kMostRecords);
  }
  return split;
}

BlockSchedule::BlockSchedule(int64_t blocks, int slotCount)
    : blocks_(blocks), slots_(slotCount), done_(size_t(slotCount), 0), failures_(size_t(slotCount)) {}

bool BlockSchedule::claimable() const { return !stopped_ && nextClaim_ < blocks_ && nextClaim_ < taken_ + slots_; }

int64_t BlockSchedule::claim() { return claimable() ? nextClaim_++ : -1; }

int64_t BlockSchedule::claimWaiting() {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [&] { return stopped_ || nextClaim_ >= blocks_ || claimable(); });
  return claim();
}

int64_t BlockSchedule::tryClaim() {
  std::lock_guard lock(mutex_);
  return claim();
}

void BlockSchedule::finish(int64_t block, std::exception_ptr failure) {
  {
    std::lock_guard lock(mutex_);
    done_[size_t(block % slots_)] = 1;
    failures_[size_t(block % slots_)] = std::move(failure);
  }
  changed_.notify_all();
}

bool BlockSchedule::waitDone(int64_t block) {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [&] { return done_[size_t(block % slots_)] != 0 || claimable(); });
  return done_[size_t(block % slots_)] != 0;
}

std::exception_ptr BlockSchedule::failure(int64_t block) {
  std::lock_guard lock(mutex_);
  return failures_[size_t(block % slots_)];
}

void BlockSchedule::release(int64_t block) {
  {
    std::lock_guard lock(mutex_);
    done_[size_t(block % slots_)] = 0;
    failures_[size_t(block % slots_)] = nullptr;
    taken_ = block + 1;
  }
  changed_.notify_all();
}

void BlockSchedule::stop() {
  {
    std::lock_guard lock(mutex_);
    stopped_ = true;
  }
  changed_.notify_all();
}

}  // namespace headly
