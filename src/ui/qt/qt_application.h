// What the windowed program needs of Qt beyond its backend, without Qt's
// headers: the application object and Qt's own dialog texts in Japanese.
#pragma once

#include <memory>

class QApplication;
class QTranslator;

namespace headly {

// The application object, made from the command line (Qt's own options,
// such as -platform, are Qt's) by startApplication: without a window system
// the program ends there with status 1.
class QtApplication {
 public:
  QtApplication(int& argc, char** argv);
  ~QtApplication();
  QtApplication(const QtApplication&) = delete;
  QtApplication& operator=(const QtApplication&) = delete;

 private:
  std::unique_ptr<QApplication> app_;
};

// Qt's own dialog texts (the file dialogs) in Japanese where installed, for
// as long as this lives. A QApplication must exist.
class QtDialogTexts {
 public:
  QtDialogTexts();
  ~QtDialogTexts();
  QtDialogTexts(const QtDialogTexts&) = delete;
  QtDialogTexts& operator=(const QtDialogTexts&) = delete;

 private:
  std::unique_ptr<QTranslator> texts_;
};

}  // namespace headly
