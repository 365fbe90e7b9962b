// The command line of headly-batch:
//   headly-batch [--draw] SCRIPT [ARG...]   (SCRIPT "-" is standard input)
//   headly-batch --help | --version
#pragma once

#include <string>
#include <vector>

namespace headly {

struct BatchCommandLine {
  enum class Action { Run, Help, Version, Wrong };
  Action action = Action::Wrong;
  bool draw = false;
  std::string scriptPath;              // "-" for standard input
  std::vector<std::string> arguments;  // "$1", "$2"... of the script
  std::string fault;                   // why a Wrong command line is wrong
};

// Reads argv with getopt_long; options end at the script's name, so the
// script's own arguments may start with "-".
BatchCommandLine parseBatchCommandLine(int argc, char** argv);

// The usage lines (help text for --help, the reminder after a fault).
const char* batchUsage();
const char* batchHelp();

}  // namespace headly
