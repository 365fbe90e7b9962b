// Forces the bytes written to a file onto the disk on a thread of its own
// while more are written, so that the sync that must end before a new file
// takes its target's name finds little left to do. A failure is kept for
// that sync to report: the system tells of a lost write only once.
#pragma once

#include <condition_variable>
#include <mutex>
#include <thread>

namespace headly {

class BackgroundSync {
 public:
  // Starts the thread; throws std::system_error when there is none to be had.
  explicit BackgroundSync(int fd);
  ~BackgroundSync();
  BackgroundSync(const BackgroundSync&) = delete;
  BackgroundSync& operator=(const BackgroundSync&) = delete;

  // Asks for what was written so far to go to the disk; returns at once.
  void request();
  // Stops the thread, after the sync under way if any: the errno of the
  // first sync that failed, else 0.
  int finish();

 private:
  void run();

  const int fd_;
  std::mutex mutex_;
  std::condition_variable wake_;
  bool requested_ = false, stopping_ = false;
  int error_ = 0;
  std::thread thread_;
};

}  // namespace headly
