// The command line of the program with windows, read with Qt's own parser:
//   headly [--record SCRIPT] [FILE]
//   headly [-V | --version | -h | --help]
// Qt's own options (-platform NAME, -style NAME, ...) are accepted and left
// for the QApplication; anything else that looks like an option is refused.
#pragma once

#include <optional>
#include <string>

namespace headly {

struct CommandLine {
  // Set when the program ends here: 0 after the version or the usage text
  // (on standard output), 2 after a wrong command line (a message on
  // standard error).
  std::optional<int> exitStatus;
  // The data file named (a path, or a file: URL as a file manager passes
  // it); empty when none.
  std::string file;
};

CommandLine readCommandLine(int argc, char** argv);

}  // namespace headly
