// The headless program: runs the whole application against a script of
// answers and user actions and writes the transcript.
#pragma once

#include <ostream>
#include <string>

namespace headly {

// Exit status: 0 when the run reached its End, 1 when an error report ended
// it, 2 when the script is malformed or does not fit what the program asks
// (the transcript then ends with a "misfit" line naming the script line).
// With draw, every drawing call goes into the transcript as well. The
// process's current folder is restored afterwards.
int runBatch(const std::string& scriptText, std::ostream& out, bool draw);

}  // namespace headly
