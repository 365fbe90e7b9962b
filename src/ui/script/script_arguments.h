// The arguments a script is run with: a token "$1" (up to "$99") stands for
// the first argument after the script on the command line, so one script
// serves every month's data file. A token that starts with "$$" stands for
// itself with one "$" fewer ("$$1" is the text "$1").
#pragma once

#include <string>
#include <vector>

#include "ui/script/script_reader.h"

namespace headly {

// Puts the arguments in place of the line's "$N" tokens; an argument the run
// was not given raises ScriptMisfit naming it.
void substituteArguments(ScriptLine& line, const std::vector<std::string>& arguments);

}  // namespace headly
