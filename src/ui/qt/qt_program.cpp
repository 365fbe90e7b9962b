#include "ui/qt/qt_program.h"

#include <QApplication>
#include <QLibraryInfo>

#include "ui/handlers.h"
#include "ui/startup.h"

namespace headly {

QtProgram::QtProgram()
    : fileSystem_(makePosixFileSystem()),
      drives_(*fileSystem_),
      files_(*fileSystem_, drives_),
      backend_(drives_),
      ui_(backend_) {
  // Qt's own dialog texts (the file dialogs) in Japanese where installed.
  if (qtTexts_.load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QApplication::installTranslator(&qtTexts_);
  ui_.createWindows();
  startUp(ui_);
  installHandlers(ui_);
}

QtProgram::~QtProgram() { QApplication::removeTranslator(&qtTexts_); }

RunResult QtProgram::run() {
  Program program{ui_, files_, {}};
  return runMainSequence(program);
}

}  // namespace headly
