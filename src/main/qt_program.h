// The program with real windows, put together as it runs: the file system
// and its drives, Qt's own dialog texts in Japanese where installed, and the
// assembled program over the Qt backend, with a recorder in between where
// the session is to be written as a headly-batch script. A QApplication must
// exist. A test reaches the windows through backend() before run().
#pragma once

#include <memory>
#include <ostream>
#include <string>

#include "main/program_assembly.h"
#include "main/record_option.h"
#include "system/drives.h"
#include "system/file_system.h"
#include "system/text_files.h"
#include "ui/qt/qt_application.h"
#include "ui/qt/qt_backend.h"
#include "ui/session_recorder.h"

namespace headly {

class QtProgram {
 public:
  // With record, the session goes there as a script that recordName names
  // in its replay line.
  explicit QtProgram(std::ostream* record = nullptr, const std::string& recordName = {});
  QtProgram(const QtProgram&) = delete;
  QtProgram& operator=(const QtProgram&) = delete;

  QtBackend& backend() { return backend_; }
  // The main sequence, from the data file to its End.
  RunResult run() { return program_.run(); }

 private:
  QtDialogTexts qtTexts_;
  std::unique_ptr<FileSystem> fileSystem_;
  Drives drives_;
  TextFiles files_;
  QtBackend backend_;
  std::unique_ptr<SessionRecorder> recorder_;
  AssembledProgram program_;
};

// The program from its start to its exit status, recording the session to
// the file of record when it has a path (an existing file is replaced only
// when the user says so: No ends the program at once); a failure before the
// windows exist (no Shift-JIS converter, no memory) gets a message box. A
// proposed file (not empty) is offered in the open dialog.
int runQtProgram(RecordOption& record, const std::string& proposedFile);

}  // namespace headly
