// The one place a program is put together from a backend and a file layer:
// the windows created (MAINFORM shown, the forms hidden), the start-up done
// and the handlers bound, with the services the stages use over them. Both programs
// and the test fixtures are assembled here.
#pragma once

#include "app/program.h"
#include "app/main_sequence.h"
#include "pdf/cairo_printer.h"
#include "ui/backend.h"
#include "ui/toolkit.h"

namespace headly {

class TextFiles;

class AssembledProgram {
 public:
  AssembledProgram(Backend& backend, TextFiles& files);
  AssembledProgram(const AssembledProgram&) = delete;
  AssembledProgram& operator=(const AssembledProgram&) = delete;

  // The main sequence, from the data file to its End.
  RunResult run() { return runMainSequence(program); }

  Ui ui;
  CairoPrinter printer;
  Program program;
};

}  // namespace headly
