// The main sequence: one straight procedure over the stages of a run, from
// the data file to the written layout, with its two loop-backs (the record
// limit retry and a "No" at the final confirmation) and every way to End.
#pragma once

#include "app/program.h"

namespace headly {

// How a run ended: Terminated is the error report of a termination signal
// that came while output was written.
enum class RunResult { Ended = 0, ErrorReported = 1, Terminated = 2 };
// The program's exit status: 0, 1, or 128 + the signal.
int exitStatus(RunResult result);

// Runs every stage; an error that no trap catches shows the error report.
// Start-up (forms hidden, handlers bound) must have run before.
RunResult runMainSequence(Program& program);

}  // namespace headly
