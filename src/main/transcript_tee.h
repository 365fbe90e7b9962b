// The transcript of headly-batch as it goes to standard output, with its
// misfit and error lines copied to standard error as well, so that they are
// seen when the transcript is sent elsewhere.
#pragma once

#include <ostream>
#include <streambuf>
#include <string>

namespace headly {

class TranscriptTee : public std::streambuf {
 public:
  TranscriptTee(std::ostream& transcript, std::ostream& problems);
  ~TranscriptTee() override;

  // True once the transcript could not be written (a full disk, a pipe
  // without a reader); standard error has said so.
  bool failed() const { return failed_; }

 protected:
  int_type overflow(int_type c) override;
  int sync() override;

 private:
  void endLine();
  void checkTranscript();

  std::ostream& transcript_;
  std::ostream& problems_;
  std::string line_;
  bool failed_ = false;
};

}  // namespace headly
