// The real Qt windows for a test: one QApplication for the whole test run
// (offscreen unless QT_QPA_PLATFORM says otherwise), and per test a fresh set
// of windows with start-up and the handlers done, as the program has them.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QStandardPaths>
#include <memory>

#include "main/program_assembly.h"
#include "system/drives.h"
#include "system/file_system.h"
#include "system/text_files.h"
#include "ui/qt/qt_backend.h"
#include "ui/toolkit.h"

namespace headly::test {

inline QApplication& testApplication() {
  static QApplication* app = [] {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // Settings Qt keeps between runs (the file dialog's columns, for one)
    // go to a test folder, not the user's configuration.
    QStandardPaths::setTestModeEnabled(true);
    static int argc = 1;
    static char name[] = "headly_qt_tests";
    static char* argv[] = {name, nullptr};
    return new QApplication(argc, argv);
  }();
  return *app;
}

class QtWindows : public ::testing::Test {
 protected:
  // The widget of a form or control, of the type the catalogue gives it.
  template <typename W>
  W* find(const std::string& name) {
    W* widget = dynamic_cast<W*>(backend.widget(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }

  QApplication& application = testApplication();
  std::unique_ptr<FileSystem> fs = makePosixFileSystem();
  Drives drives{*fs};
  TextFiles files{*fs, drives};
  QtBackend backend{drives};
  AssembledProgram assembled{backend, files};
  Ui& ui = assembled.ui;
};

}  // namespace headly::test
