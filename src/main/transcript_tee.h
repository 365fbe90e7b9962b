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

 protected:
  int_type overflow(int_type c) override;
  int sync() override;

 private:
  void endLine();

  std::ostream& transcript_;
  std::ostream& problems_;
  std::string line_;
};

}  // namespace headly
