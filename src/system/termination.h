// Termination signals (SIGINT, SIGTERM, SIGHUP, SIGQUIT) while output is written. The
// handler removes the temporary files being written and notes the signal; the
// writer raises at its next step, so that the run ends through the error
// report with the old output files as they were. Outside writing a signal
// ends the program at once, as it always did; so does a second signal.
#pragma once

#include <string>

namespace headly {

// An output file being written from its construction to its destruction;
// temporary, when not empty, is the native path of a file that a signal
// removes. The handlers are installed with the first one.
class WritingGuard {
 public:
  explicit WritingGuard(const std::string& temporary);
  ~WritingGuard();
  WritingGuard(const WritingGuard&) = delete;
  WritingGuard& operator=(const WritingGuard&) = delete;

 private:
  int slot_;
};

// A write past a file-size limit (SIGXFSZ) or into a pipe without a reader
// (SIGPIPE) fails with EFBIG or EPIPE instead of ending the program, so that
// it is reported like any failed write. Each program calls it first.
void letWritesFail();

// Raises error 128 + the signal number when a termination signal came while
// output was written.
void checkTermination();

// The signal that came while output was written, or 0.
int terminationSignal();
// The error code of that signal: 128 + its number.
int terminationCode();
// True when that signal removed the temporary file of a file being replaced.
bool terminationRemovedTemporary();

}  // namespace headly
