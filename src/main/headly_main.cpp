// The program with real windows. It reads no arguments of its own beyond
// --version, --help and --record FILE (Qt's own options, such as -platform,
// are Qt's).
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
  headly::QtProgram program(record.file.get(), record.path);
  return static_cast<int>(program.run());
}
