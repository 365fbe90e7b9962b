// The program with real windows. It reads no arguments of its own beyond
// --version and --help (Qt's own options, such as -platform, are Qt's).
#include "main/qt_program.h"
#include "ui/qt/application_start.h"
#include "ui/qt/qt_application.h"

int main(int argc, char** argv) {
  if (const auto status = headly::answerInfoOption(argc, argv)) return *status;
  headly::QtApplication app(argc, argv);
  headly::QtProgram program;
  return static_cast<int>(program.run());
}
