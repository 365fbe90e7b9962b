// The start of the program with windows as a user meets it: --version and
// --help, and no display at all, each in a process of its own.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <QIcon>
#include <cstdlib>
#include <string>

#include "headly_identity.h"
#include "qt/qt_fixture.h"
#include "support/temp_folder.h"
#include "ui/qt/application_start.h"
#include "build_paths.h"

namespace headly {
namespace {

struct ProgramRun {
  int exitCode;  // -1 when a signal ended the program
  std::string out;
  std::string err;
};

// Runs headly with the arguments, in an environment of no display and no
// platform chosen, changed by the assignments given (NAME=VALUE ...).
ProgramRun runHeadly(const std::string& arguments, const std::string& assignments = "") {
  test::TempFolder folder;
  const std::string command = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " + assignments + " " +
                              test::kHeadlyPath + " " + arguments + " >" + folder / "out" + " 2>" + folder / "err" +
                              " </dev/null";
  const int raw = std::system(command.c_str());
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, folder.read("out"), folder.read("err")};
}

TEST(ProgramStart, VersionAndHelpNeedNoDisplay) {
  const ProgramRun version = runHeadly("--version");
  EXPECT_EQ(version.exitCode, 0);
  EXPECT_EQ(version.out, "headly " HEADLY_VERSION "\n");
  const ProgramRun help = runHeadly("-platform xcb --help");
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_EQ(help.out.rfind("usage: headly [--record SCRIPT] [FILE]\n       headly [-V | --version | -h | --help]\n", 0),
            0u)
      << help.out;
  EXPECT_NE(help.out.find("headly-batch SCRIPT"), std::string::npos) << help.out;
  EXPECT_NE(help.out.find("\n  FILE "), std::string::npos) << help.out;
  EXPECT_EQ(version.err + help.err, "");
}

// The short forms, and Qt's own options in either spelling before them.
TEST(ProgramStart, ShortOptionsAndQtsOwnOptions) {
  for (const std::string arguments :
       {"-V", "-style Fusion -reverse -V", "--platform=xcb -qwindowtitle 'a b' --version", "--record x.script -V"}) {
    SCOPED_TRACE(arguments);
    const ProgramRun run = runHeadly(arguments);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "headly " HEADLY_VERSION "\n");
    EXPECT_EQ(run.err, "");
  }
  const ProgramRun help = runHeadly("-h");
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_EQ(help.out.rfind("usage: headly ", 0), 0u) << help.out;
}

// A wrong command line ends at once with status 2 and a message naming the
// fault, before any window is tried (with a display or without).
TEST(ProgramStart, AWrongCommandLineIsRefused) {
  struct Case {
    std::string arguments, named;
  };
  for (const Case& c : {Case{"--bogus", "--bogus"}, Case{"-x a.csv", "-x"}, Case{"a.csv --help=yes", "--help"},
                        Case{"a.csv b.csv", "one FILE at most"}, Case{"--record", "--record"}}) {
    for (const std::string assignments : {"", "QT_QPA_PLATFORM=offscreen"}) {
      SCOPED_TRACE(c.arguments + " " + assignments);
      const ProgramRun run = runHeadly(c.arguments, assignments);
      EXPECT_EQ(run.exitCode, 2);
      EXPECT_EQ(run.out, "");
      EXPECT_EQ(run.err.rfind("headly: コマンドラインが正しくありません: ", 0), 0u) << run.err;
      EXPECT_NE(run.err.find(c.named), std::string::npos) << run.err;
      EXPECT_NE(run.err.find("headly --help"), std::string::npos) << run.err;
    }
  }
}

// No display in the environment, a display that cannot be reached and a
// platform plugin that does not exist all end in the same report, never in
// Qt's abort.
TEST(ProgramStart, WithoutAWindowSystemTheProgramNamesTheHeadlessDriver) {
  for (const std::string assignments : {"", "DISPLAY=:9999", "QT_QPA_PLATFORM=nosuchplatform"}) {
    SCOPED_TRACE(assignments);
    const ProgramRun run = runHeadly("", assignments);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("headly: 画面（ウィンドウシステム）に接続できないため、ウィンドウを開けません。\n"
                           "        画面のない環境では、スクリプトで動かす headly-batch を使ってください"),
              std::string::npos)
        << run.err;
    EXPECT_NE(run.err.find("headly: cannot open a window: no display (window system) can be reached.\n"
                           "        Without a display, run HEADLY from a script with headly-batch"),
              std::string::npos)
        << run.err;
  }
}

TEST(ProgramStart, TheWindowIconIsBuiltIn) {
  test::testApplication();
  const QIcon icon = windowIcon();
  ASSERT_FALSE(icon.isNull());
  EXPECT_EQ(icon.availableSizes().value(0), QSize(48, 48));
}

}  // namespace
}  // namespace headly
