// Counts lines on a thread of its own while the caller goes on: the lines
// come in runs as they are read, so that when the reading ends the count is
// nearly done.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <exception>
#include <functional>
#include <condition_variable>
#include <mutex>
#include <string_view>
#include <thread>

#include "session/line_run.h"

namespace headly {

class BackgroundCount {
 public:
  using Counts = std::function<bool(std::string_view line)>;
  // Counts the lines for which counts is true. Where no thread can be had,
  // the lines are counted as they are added.
  explicit BackgroundCount(Counts counts);
  // Stops: waits until the thread no longer touches a line.
  ~BackgroundCount();
  BackgroundCount(const BackgroundCount&) = delete;
  BackgroundCount& operator=(const BackgroundCount&) = delete;

  // Lines to count; their bytes and ends must stay where they are until
  // total() or stop() has returned.
  void add(LineRun lines);
  // The count of every line added, once it is done, the calling thread
  // helping with the lines still waiting; a failure while counting is
  // raised here.
  int64_t total();
  // Counts no more, and waits until the thread no longer touches a line.
  void stop() noexcept;

 private:
  void run();
  // Counts the first run waiting, the lock released meanwhile; false when
  // none waits or counting failed.
  bool countOneWaiting(std::unique_lock<std::mutex>& lock);

  const Counts counts_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<LineRun> waiting_;
  bool closing_ = false;
  int64_t count_ = 0;
  std::exception_ptr failure_;
  std::thread thread_;
};

}  // namespace headly
