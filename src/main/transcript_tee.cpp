#include "main/transcript_tee.h"

namespace headly {

TranscriptTee::TranscriptTee(std::ostream& transcript, std::ostream& problems)
    : transcript_(transcript), problems_(problems) {}

TranscriptTee::~TranscriptTee() {
  if (!line_.empty()) endLine();
  transcript_.flush();
}

TranscriptTee::int_type TranscriptTee::overflow(int_type c) {
  if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
  line_ += traits_type::to_char_type(c);
  if (line_.back() == '\n') endLine();
  return c;
}

int TranscriptTee::sync() {
  transcript_.flush();
  problems_.flush();
  return 0;
}

void TranscriptTee::endLine() {
  transcript_ << line_;
  if (line_.starts_with("misfit ") || line_.starts_with("error ") || line_ == "error\n") problems_ << line_ << std::flush;
  line_.clear();
}

}  // namespace headly
