// The program with real windows. It reads no arguments of its own (Qt's own
// options, such as -platform, are Qt's).
#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "app/main_sequence.h"
#include "text/drives.h"
#include "text/file_system.h"
#include "text/text_files.h"
#include "ui/handlers.h"
#include "ui/qt/qt_backend.h"
#include "ui/startup.h"
#include "ui/toolkit.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  // Qt's own dialog texts (the file dialogs) in Japanese where installed.
  QTranslator qtTexts;
  if (qtTexts.load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QApplication::installTranslator(&qtTexts);

  const std::unique_ptr<headly::FileSystem> fs = headly::makePosixFileSystem();
  headly::Drives drives(*fs);
  headly::TextFiles files(*fs, drives);
  headly::QtBackend backend(drives);
  headly::Ui ui(backend);
  ui.createWindows();
  headly::startUp(ui);
  headly::installHandlers(ui);
  headly::Program program{ui, files, {}};
  return static_cast<int>(headly::runMainSequence(program));
}
