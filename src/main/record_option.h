// headly --record FILE: the windows run as always and FILE receives, as the
// user goes, a headly-batch script of the session. The option is taken out
// of the arguments before Qt reads its own.
#pragma once

#include <fstream>
#include <memory>
#include <string>

namespace headly {

class Backend;

struct RecordOption {
  std::string path;                     // empty without --record
  std::unique_ptr<std::ofstream> file;  // open when path is set, unless it replaces a file
  std::string fault;                    // set when the option cannot be followed
  bool replaces = false;                // FILE exists: opened only once the user says Yes
};

// Finds "--record FILE" or "--record=FILE", removes it from argv (argc
// shrinks) and opens FILE for writing, unless FILE is an existing file.
RecordOption takeRecordOption(int& argc, char** argv);

// Asks through windows whether an existing FILE may be replaced and opens it
// on Yes. False on No, or when FILE cannot be opened (fault says why).
bool confirmRecordFile(RecordOption& option, Backend& windows);

}  // namespace headly
