// The whole headless program: setup lines, exit status and the misfits that
// only a whole run shows.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sys/wait.h>

#include "headly_identity.h"
#include "support/batch_session.h"
#include "support/child_run.h"
#include "text/encoding.h"
#include "text/error_report.h"
#include "build_paths.h"

namespace headly {
namespace {

using test::BatchResult;
using test::BatchSession;

std::string lastLine(const std::string& transcript) {
  const size_t end = transcript.size() - 1;
  return transcript.substr(transcript.rfind('\n', end - 1) + 1, end - transcript.rfind('\n', end - 1) - 1);
}

TEST(BatchRun, CancellingTheFirstDialogEndsTheRun) {
  BatchSession session;
  const BatchResult result = session.run("cwd @DIR@\ncancel\n");
  EXPECT_EQ(result.exitCode, 0) << result.transcript;
  EXPECT_EQ(result.transcript.rfind("form MAINFORM データ見出しツールＨＥＡＤＬＹ V４\nopen ", 0), 0u) << result.transcript;
  EXPECT_NE(result.transcript.find(" | " + session.internalPath() + "\\ | "), std::string::npos) << result.transcript;
  EXPECT_EQ(lastLine(result.transcript), "end");
}

TEST(BatchRun, AnErrorReportEndsTheRunWithStatus1) {
  BatchSession session;
  session.writeBytes("long.csv", "a\r\n" + std::string(40000, 'x') + "\r\n");
  const BatchResult result = session.run("cwd @DIR@\nfile long.csv\ninput 500\n");
  EXPECT_EQ(result.exitCode, 1) << result.transcript;
  EXPECT_EQ(lastLine(result.transcript).rfind("error エラー[15] / ", 0), 0u) << result.transcript;
  EXPECT_EQ(result.transcript.find("\nend\n"), std::string::npos);
}

// A system without the CP932 converter (a slim image): the run ends with a
// report that names the converter and what to install, not with an abort.
TEST(BatchRun, WithoutTheShiftJisConverterTheReportSaysWhatIsMissing) {
  BatchSession session;
  session.writeBytes("data.csv", "a,b\r\n1,2\r\n");
  const std::optional<BatchResult> result = test::runInChild(session, "cwd @DIR@\nfile data.csv\ninput 500\n", [] {
    useShiftJisConverter("HEADLY-NO-SUCH-CONVERTER");
    return true;
  });
  ASSERT_TRUE(result);
  EXPECT_EQ(result->exitCode, 1);
  const std::vector<std::string> report = errorReportUtf8(48);
  EXPECT_EQ(result->transcript, "error エラー[48] / " + report[1] + " / 任意のキーを押してください\n");
  for (const char* named : {"CP932", "libc6", "libc-bin", "locales"})
    EXPECT_NE(report[1].find(named), std::string::npos) << named;
}

TEST(BatchRun, ClosingTheMainWindowEndsTheRunAtTheWait) {
  BatchSession session;
  session.writeSjisFile("items.csv", "支店,数量\r\n東京,1\r\n");
  const BatchResult result = session.run("cwd @DIR@\nfile items.csv\ninput 500\nselect LIST1 0\nclose\n");
  EXPECT_EQ(result.exitCode, 0) << result.transcript;
  EXPECT_NE(result.transcript.find("\nform FORM3 項目の分類\nend\n"), std::string::npos) << result.transcript;
}

TEST(BatchRun, LinesLeftAfterTheEndAreAMisfit) {
  BatchSession session;
  const BatchResult result = session.run("cwd @DIR@\ncancel\n\npress BUTTON6\n");
  EXPECT_EQ(result.exitCode, 2);
  EXPECT_EQ(lastLine(result.transcript), "misfit line 4 (press BUTTON6): the program has ended");
}

TEST(BatchRun, AScriptThatRunsOutIsAMisfit) {
  BatchSession session;
  const BatchResult result = session.run("cwd @DIR@\n");
  EXPECT_EQ(result.exitCode, 2);
  EXPECT_EQ(lastLine(result.transcript).rfind("misfit the script ended while the program asks: open ", 0), 0u)
      << result.transcript;
}

TEST(BatchRun, MalformedSetupLines) {
  BatchSession session;
  for (const std::string script : {"cwd \"@DIR@\n", "cwd @DIR@/missing\n", "drive dd @DIR@\n", "cwd\n"}) {
    const BatchResult result = session.run(script);
    EXPECT_EQ(result.exitCode, 2) << script;
    EXPECT_EQ(result.transcript.rfind("misfit ", 0), 0u) << result.transcript;
  }
}

TEST(BatchRun, TheProcessFolderIsRestored) {
  const std::filesystem::path before = std::filesystem::current_path();
  BatchSession session;
  session.run("cwd @DIR@\ndrive D @DIR@\ncancel\n");
  EXPECT_EQ(std::filesystem::current_path(), before);
}

TEST(BatchRun, TheCommandLineProgram) {
  BatchSession session;
  session.writeBytes("cancel.script", "cwd " + session.dir() + "\ncancel\n");
  const auto status = [&](const std::string& args) {
    const int raw = std::system((std::string(test::kBatchPath) + " " + args + " >" + session.path("out.txt") +
                                 " 2>" + session.path("err.txt"))
                                    .c_str());
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  };
  EXPECT_EQ(status(session.path("cancel.script")), 0);
  EXPECT_EQ(lastLine(session.readBytes("out.txt")), "end");
  EXPECT_EQ(status("--draw " + session.path("cancel.script")), 0);
  EXPECT_EQ(status(""), 2);
  EXPECT_NE(session.readBytes("err.txt").find("usage: headly-batch [--draw] SCRIPT"), std::string::npos);
  EXPECT_EQ(status(session.path("missing.script")), 2);
  // --version and --help answer on standard output, wherever they stand.
  EXPECT_EQ(status("--version"), 0);
  EXPECT_EQ(session.readBytes("out.txt"), "headly-batch " HEADLY_VERSION "\n");
  EXPECT_EQ(status("--draw --help"), 0);
  EXPECT_EQ(session.readBytes("out.txt").rfind("usage: headly-batch [--draw] SCRIPT [ARG...]\n", 0), 0u);
  EXPECT_EQ(session.readBytes("err.txt"), "");
}

}  // namespace
}  // namespace headly
