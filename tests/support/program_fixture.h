// A program for unit tests of the stages: real text files in a fresh
// temporary folder, which is the current folder of drive c, and a user
// played by an ActingBackend behind the real toolkit and its handlers.
#pragma once

#include <algorithm>
#include <memory>
#include <string>

#include "app/program.h"
#include "main/program_assembly.h"
#include "support/acting_backend.h"
#include "support/temp_folder.h"
#include "system/drives.h"
#include "system/file_system.h"
#include "system/text_files.h"
#include "ui/toolkit.h"

namespace headly::test {

class ProgramFixture {
 public:
  ProgramFixture() : fs_(makePosixFileSystem()), drives(*fs_), files(*fs_, drives), assembled(backend, files) {
    drives.changeFolder(internal());
  }

  // The temporary folder (or a name in it) as the program sees it, for
  // example "C:\tmp\headly-test-x\name".
  SjisString internal(const std::string& name = "") const {
    std::string native = name.empty() ? temp.path() : temp / name;
    std::replace(native.begin(), native.end(), '/', '\\');
    return "C:" + native;
  }

  TempFolder temp;

 private:
  std::unique_ptr<FileSystem> fs_;

 public:
  Drives drives;
  TextFiles files;
  ActingBackend backend;
  AssembledProgram assembled;
  Ui& ui = assembled.ui;
  Program& program = assembled.program;
};

}  // namespace headly::test
