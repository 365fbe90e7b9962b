// The program with real windows. It reads no arguments of its own (Qt's own
// options, such as -platform, are Qt's).
#include <QApplication>

#include "ui/qt/qt_program.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  headly::QtProgram program;
  return static_cast<int>(program.run());
}
