// headly-batch [--draw] SCRIPT [ARG...]: runs the program headless; the
// transcript goes to standard output, its misfit and error lines to standard
// error as well. A run whose transcript could not be written ends with
// status 3 (when it would have ended with 0).
#include <iostream>

#include "headly_identity.h"
#include "main/batch_command_line.h"
#include "main/batch_run.h"
#include "main/script_file.h"
#include "main/transcript_tee.h"

int main(int argc, char** argv) {
  using headly::BatchCommandLine;
  const BatchCommandLine line = headly::parseBatchCommandLine(argc, argv);
  switch (line.action) {
    case BatchCommandLine::Action::Help:
      std::cout << headly::batchHelp();
      return 0;
    case BatchCommandLine::Action::Version:
      std::cout << "headly-batch " << HEADLY_VERSION << '\n';
      return 0;
    case BatchCommandLine::Action::Wrong:
      std::cerr << "headly-batch: " << line.fault << '\n' << headly::batchUsage();
      return 2;
    case BatchCommandLine::Action::Run:
      break;
  }
  const headly::ScriptFile script = headly::readScriptFile(line.scriptPath, std::cin);
  if (!script.ok) {
    std::cerr << script.fault << '\n';
    return 2;
  }
  headly::TranscriptTee tee(std::cout, std::cerr);
  std::ostream transcript(&tee);
  const int status = headly::runBatch(script.text, line.arguments, transcript, line.draw);
  transcript.flush();
  constexpr int kTranscriptLost = 3;
  return status == 0 && tee.failed() ? kTranscriptLost : status;
}
