// The program with real windows: headly [FILE]. It reads no options of its
// own beyond --version, --help and --record FILE (Qt's own options, such as
// -platform, are Qt's). FILE (a path, or a file: URL as a file manager
// passes it) is proposed in the open dialog, which the user still confirms.
#include <iostream>

#include "main/qt_program.h"
#include "main/record_option.h"
#include "ui/qt/application_start.h"
#include "ui/qt/qt_application.h"

int main(int argc, char** argv) {
  if (const auto status = headly::answerInfoOption(argc, argv)) return *status;
  const headly::RecordOption record = headly::takeRecordOption(argc, argv);
  if (!record.fault.empty()) {
    std::cerr << record.fault << '\n';
    return 2;
  }
  headly::QtApplication app(argc, argv);
  const std::string proposed = argc == 2 && argv[1][0] != '-' ? argv[1] : "";
  return headly::runQtProgram(record.file.get(), record.path, proposed);
}
