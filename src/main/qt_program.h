// The program with real windows, put together as it runs: the file system
// and its drives, Qt's own dialog texts in Japanese where installed, and the
// assembled program over the Qt backend. A QApplication must exist. A test
// reaches the windows through backend() before run().
#pragma once

#include <memory>

#include "main/program_assembly.h"
#include "text/drives.h"
#include "text/file_system.h"
#include "text/text_files.h"
#include "ui/qt/qt_application.h"
#include "ui/qt/qt_backend.h"

namespace headly {

class QtProgram {
 public:
  QtProgram();
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
  AssembledProgram program_;
};

}  // namespace headly
