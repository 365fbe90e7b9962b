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
  checkTranscript();
  problems_.flush();
  return 0;
}

// Each whole line goes out at once, so that what a run wrote stays when it
// ends in any way.
void TranscriptTee::endLine() {
  transcript_ << line_ << std::flush;
  checkTranscript();
  if (line_.starts_with("misfit ") || line_.starts_with("error ") || line_ == "error\n") problems_ << line_ << std::flush;
  line_.clear();
}

void TranscriptTee::checkTranscript() {
  if (transcript_ || failed_) return;
  failed_ = true;
  problems_ << "headly-batch: 標準出力に記録を書けません。実行は続け、出力ファイルはいつもどおり書きます"
               " (cannot write the transcript to standard output; the run goes on)\n"
            << std::flush;
}

}  // namespace headly
