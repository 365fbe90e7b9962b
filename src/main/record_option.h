// headly --record FILE: the windows run as always and FILE receives, as the
// user goes, a headly-batch script of the session. The option is taken out
// of the arguments before Qt reads its own.
#pragma once

#include <fstream>
#include <memory>
#include <string>

namespace headly {

struct RecordOption {
  std::string path;                     // empty without --record
  std::unique_ptr<std::ofstream> file;  // open when path is set
  std::string fault;                    // set when the option cannot be followed
};

// Finds "--record FILE" or "--record=FILE", removes it from argv (argc
// shrinks) and opens FILE for writing.
RecordOption takeRecordOption(int& argc, char** argv);

}  // namespace headly
