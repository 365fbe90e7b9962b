// Names of the temporary files in which replaced output files are written.
// They are hidden and named ".~HEADLY-TTTTTTTT-PID-RRRRRRRR.TMP": T a tag of
// the target's path, PID the writing process and R a random number, so that
// a later write to the same target can tell the files that a process left
// behind when it died.
#pragma once

#include <string>

namespace headly {

// The start that every temporary file of target has.
std::string temporaryPrefix(const std::string& target);
// A new temporary name that starts with prefix.
std::string temporaryName(const std::string& prefix);
// The id of the process that writes the temporary file of that name (one
// that starts with prefix), or 0 when the name is not one of them.
int writerOf(const std::string& name, const std::string& prefix);

}  // namespace headly
