// The program with real windows: headly [--record SCRIPT] [FILE] (see
// ui/qt/command_line.h). FILE (a path, or a file: URL as a file manager
// passes it) is proposed in the open dialog, which the user still confirms.
#include <iostream>

#include "main/qt_program.h"
#include "main/record_option.h"
#include "ui/qt/command_line.h"
#include "ui/qt/qt_application.h"

int main(int argc, char** argv) {
  const headly::CommandLine line = headly::readCommandLine(argc, argv);
  if (line.exitStatus) return *line.exitStatus;
  headly::RecordOption record = headly::takeRecordOption(argc, argv);
  if (!record.fault.empty()) {
    std::cerr << record.fault << '\n';
    return 2;
  }
  headly::QtApplication app(argc, argv);
  return headly::runQtProgram(record, line.file);
}
