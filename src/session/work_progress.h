// Keeps the windows alive while a loop runs over many records, and once the
// work has taken more than a moment shows in the main window how many records
// are done, and of how many when that is known ("… 102400 / 300000件").
// Progress never reaches the transcript, so runs stay repeatable.
#pragma once

#include <chrono>
#include <cstdint>

#include "text/encoding.h"
#include "text/numbers.h"

namespace headly {

// Where long work reports to: the user interface, seen from below it.
class ProgressDisplay {
 public:
  virtual ~ProgressDisplay() = default;
  // Processes queued window messages.
  virtual void keepAlive() = 0;
  // Shows the text with the number of records done and of all records (-1
  // when unknown); an empty text clears the display.
  virtual void show(const SjisString& text, int64_t done, int64_t total) = 0;
};

class WorkProgress {
 public:
  // activity: UTF-8 text such as "データの読み込み中", shown before the count;
  // total: the number of records the work will have done, -1 when unknown;
  // unit: what is counted, after the numbers.
  WorkProgress(ProgressDisplay& display, const char* activity, int64_t total = -1, const char* unit = "件")
      : display_(display),
        activity_(activity),
        unit_(unit),
        total_(total),
        started_(std::chrono::steady_clock::now()) {}
  WorkProgress(const WorkProgress&) = delete;
  WorkProgress& operator=(const WorkProgress&) = delete;

  // Called once per record with the number of records done.
  void step(int64_t done) {
    if (done % kRecordsPerPoll == 0) poll(done);
  }
  // Called with the number of records done after a block of them: polls
  // when the count has passed another multiple of the step of step().
  void stepBlock(int64_t done) {
    if (done / kRecordsPerPoll == polled_) return;
    polled_ = done / kRecordsPerPoll;
    poll(done);
  }
  // Called after each unit of slow work (a page): polls every time.
  void stepEach(int64_t done) { poll(done); }
  // Clears the progress display when one was shown.
  void finish() {
    if (shown_) display_.show({}, 0, -1);
    shown_ = false;
  }

 private:
  static constexpr int64_t kRecordsPerPoll = 4096;

  void poll(int64_t done) {
    display_.keepAlive();
    if (std::chrono::steady_clock::now() - started_ < std::chrono::milliseconds(300)) return;
    SjisString text = sjis(activity_) + sjis("　") + countText(done);
    if (total_ >= 0) text += " / " + countText(total_);
    display_.show(text + sjis(unit_), done, total_);
    shown_ = true;
  }

  ProgressDisplay& display_;
  const char* activity_;
  const char* unit_;
  int64_t total_;
  std::chrono::steady_clock::time_point started_;
  bool shown_ = false;
  int64_t polled_ = 0;
};

}  // namespace headly
