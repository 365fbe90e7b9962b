// A second thread that does one job at a time for the thread that owns it,
// which hands it a job, does its own share meanwhile and then waits for it:
// work split in two that both processors do at once.
#pragma once

#include <condition_variable>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>

namespace headly {

class HelperThread {
 public:
  // Starts the thread; throws std::system_error when there is none to be had.
  HelperThread();
  // Stops the thread after the job under way, if any.
  ~HelperThread();
  HelperThread(const HelperThread&) = delete;
  HelperThread& operator=(const HelperThread&) = delete;

  // Hands over a job; the one before must have been waited for.
  void start(std::function<void()> job);
  // Waits until the job is done; throws what it threw.
  void wait();
  // The job handed over is still under way.
  bool busy();

 private:
  void run();

  std::mutex mutex_;
  std::condition_variable changed_;
  std::function<void()> job_;
  bool busy_ = false, stopping_ = false;
  std::exception_ptr failure_;
  std::thread thread_;
};

}  // namespace headly
