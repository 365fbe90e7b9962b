#include "app/main_sequence.h"
// PLACEHOLDER until the main sequence is built.
namespace headly {
RunResult runMainSequence(Program&) { return RunResult::Ended; }
}  // namespace headly
