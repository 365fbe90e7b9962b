// The real Qt windows for a test: one QApplication for the whole test run
// (offscreen unless QT_QPA_PLATFORM says otherwise), and per test a fresh set
// of windows with start-up and the handlers done, as the program has them.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <memory>

#include "text/drives.h"
#include "text/file_system.h"
#include "ui/handlers.h"
#include "ui/qt/qt_backend.h"
#include "ui/startup.h"
#include "ui/toolkit.h"

namespace headly::test {

inline QApplication& testApplication() {
  static QApplication* app = [] {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "headly_qt_tests";
    static char* argv[] = {name, nullptr};
    return new QApplication(argc, argv);
  }();
  return *app;
}

class QtWindows : public ::testing::Test {
 protected:
  QtWindows() {
    testApplication();
    ui.createWindows();
    startUp(ui);
    installHandlers(ui);
  }

  // The widget of a form or control, of the type the catalogue gives it.
  template <typename W>
  W* find(const std::string& name) {
    W* widget = dynamic_cast<W*>(backend.widget(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }

  std::unique_ptr<FileSystem> fs = makePosixFileSystem();
  Drives drives{*fs};
  QtBackend backend{drives};
  Ui ui{backend};
};

}  // namespace headly::test
