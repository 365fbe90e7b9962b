// Keeps the windows alive while a loop runs over many records, and once the
// work has taken more than a moment shows in the main window how many records
// are done. Progress never reaches the transcript, so runs stay repeatable.
#pragma once

#include <chrono>
#include <cstdint>

#include "text/encoding.h"
#include "text/numbers.h"
#include "ui/toolkit.h"

namespace headly {

class WorkProgress {
 public:
  // activity: UTF-8 text such as "データの読み込み中", shown before the count.
  WorkProgress(Ui& ui, const char* activity)
      : ui_(ui), activity_(activity), started_(std::chrono::steady_clock::now()) {}
  WorkProgress(const WorkProgress&) = delete;
  WorkProgress& operator=(const WorkProgress&) = delete;

  // Called once per record with the number of records done.
  void step(int64_t done) {
    if (done % kRecordsPerPoll == 0) poll(done);
  }
  // Clears the progress display when one was shown.
  void finish() {
    if (shown_) ui_.showProgress({});
    shown_ = false;
  }

 private:
  static constexpr int64_t kRecordsPerPoll = 4096;

  void poll(int64_t done) {
    ui_.pollMessages();
    if (std::chrono::steady_clock::now() - started_ < std::chrono::milliseconds(300)) return;
    ui_.showProgress(sjis(activity_) + sjis("　") + countText(done) + sjis("件"));
    shown_ = true;
  }

  Ui& ui_;
  const char* activity_;
  std::chrono::steady_clock::time_point started_;
  bool shown_ = false;
};

}  // namespace headly
