#include "ui/qt/qt_application.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "ui/qt/application_start.h"

namespace headly {

QtApplication::QtApplication(int& argc, char** argv) : app_(startApplication(argc, argv)) {}

QtApplication::~QtApplication() = default;

QtDialogTexts::QtDialogTexts() : texts_(std::make_unique<QTranslator>()) {
  if (texts_->load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QApplication::installTranslator(texts_.get());
}

QtDialogTexts::~QtDialogTexts() { QApplication::removeTranslator(texts_.get()); }

}  // namespace headly
