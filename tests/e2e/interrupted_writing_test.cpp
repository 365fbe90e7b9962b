// Whole runs stopped in the middle of writing the layout file: by SIGINT,
// SIGTERM or SIGHUP (the old file stays, the temporary file goes, the run
// says so and exits with 128 + the signal), by SIGKILL (the next write to the
// same target removes what the dead run left, and nothing else), and by an
// exception that is none of the program's errors.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <filesystem>
#include <set>
#include <stdexcept>
#include <string>

#include "support/batch_session.h"
#include "support/child_run.h"
#include "support/faulty_file_system.h"

namespace headly {
namespace {

namespace fs = std::filesystem;
using test::BatchResult;
using test::BatchSession;

constexpr char kOld[] = "old layout\r\n\x1a";
// 見出し the heading item and 本文 the other item; no CSV file; full width,
// both items as proposed and the final confirmation; the layout replaces
// HEADLY.TXT.
constexpr char kScript[] =
    "cwd @DIR@\nfile data.csv\ninput 5000\nselect LIST1 0\npress BUTTON2\nselect LIST1 0\npress BUTTON4\n"
    "check CHECK2\npress BUTTON6\nanswer Yes\npress BUTTON9\nanswer Yes\npress BUTTON9\nanswer Yes\nanswer Yes\n"
    "file HEADLY.TXT\nanswer Yes\n";

std::set<std::string> names(const std::string& folder) {
  std::set<std::string> out;
  for (const auto& e : fs::directory_iterator(folder)) out.insert(e.path().filename());
  return out;
}

// The one temporary file in the folder, or "".
std::string temporaryIn(const std::string& folder) {
  for (const std::string& name : names(folder))
    if (name.rfind(".~HEADLY-", 0) == 0) return name;
  return "";
}

class InterruptedWriting : public ::testing::Test {
 protected:
  InterruptedWriting() {
    std::string data = "見出し,本文\r\n";
    for (int i = 0; i < 3000; ++i) data += "あ,いろはにほへと" + std::to_string(i) + "\r\n";
    s.writeSjisFile("data.csv", data);
    s.writeBytes("HEADLY.TXT", kOld);
  }

  // Runs kScript in a child whose first write is held still until signal
  // comes; the temporary file is looked for while it is held.
  struct Stopped : test::StoppedRun {
    std::string temporaryWhileHeld;
  };
  Stopped stopWhileWriting(int signal) {
    Stopped stopped;
    static_cast<test::StoppedRun&>(stopped) =
        test::runStoppedAtWrite(s, kScript, signal, 1, [&] { stopped.temporaryWhileHeld = temporaryIn(s.dir()); });
    return stopped;
  }

  BatchSession s;
};

TEST_F(InterruptedWriting, ATerminationSignalKeepsTheOldFileAndEndsWith128PlusTheSignal) {
  struct Case {
    int signal;
    const char* message;
  };
  const Case cases[] = {
      {SIGINT, "中断の指示（SIGINT）を受けたため、書き込みを中止しました。"},
      {SIGTERM, "終了の指示（SIGTERM）を受けたため、書き込みを中止しました。"},
      {SIGHUP, "終了の指示（SIGHUP）を受けたため、書き込みを中止しました。"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.signal);
    const Stopped stopped = stopWhileWriting(c.signal);
    EXPECT_NE(stopped.temporaryWhileHeld, "");
    ASSERT_TRUE(WIFEXITED(stopped.status)) << stopped.transcript;
    EXPECT_EQ(WEXITSTATUS(stopped.status), 128 + c.signal);
    const std::string code = "error エラー[" + std::to_string(128 + c.signal) + "] / ";
    const std::string kept = "書きかけの一時ファイルは削除し、元のファイルはそのままです。";
    EXPECT_NE(stopped.transcript.find(code + c.message + " / " + kept + " / "), std::string::npos) << stopped.transcript;
    EXPECT_NE(stopped.errors.find(c.message + kept), std::string::npos) << stopped.errors;
    EXPECT_EQ(s.readBytes("HEADLY.TXT"), kOld);
    EXPECT_EQ(names(s.dir()), (std::set<std::string>{"HEADLY.TXT", "data.csv"}));
  }
}

// SIGKILL leaves the temporary file; the next run that writes HEADLY.TXT
// removes it. A temporary file of a live process (this one), one of another
// target, one of an older form and other files stay.
TEST_F(InterruptedWriting, TheNextWriteRemovesWhatAKilledRunLeft) {
  const Stopped killed = stopWhileWriting(SIGKILL);
  ASSERT_TRUE(WIFSIGNALED(killed.status));
  const std::string left = killed.temporaryWhileHeld;
  ASSERT_EQ(temporaryIn(s.dir()), left);
  // ".~HEADLY-TAG-PID-RANDOM.TMP": the same tag with this process's id.
  const size_t pidStart = left.find('-', 9) + 1;
  const std::string live = left.substr(0, pidStart) + std::to_string(::getpid()) + "-0000ABCD.TMP";
  const std::string otherTarget = ".~HEADLY-00000000-" + left.substr(pidStart);
  for (const std::string& name : {live, otherTarget, std::string(".~HEADLY0000ABCD.TMP"), std::string("x.TMP")})
    s.writeBytes(name, "keep");

  const BatchResult r = s.run(kScript);
  ASSERT_EQ(r.exitCode, 0) << r.transcript;
  EXPECT_NE(s.readBytes("HEADLY.TXT"), kOld);
  EXPECT_EQ(names(s.dir()), (std::set<std::string>{"HEADLY.TXT", "data.csv", live, otherTarget,
                                                   ".~HEADLY0000ABCD.TMP", "x.TMP"}));
}

// An exception that is not one of the program's errors still ends in the
// error report, with the output thrown away.
TEST_F(InterruptedWriting, AnUnexpectedExceptionEndsInTheErrorReport) {
  test::FaultyFileSystem throwing(SIZE_MAX);
  throwing.onWrite = [] { throw std::runtime_error("unexpected"); };
  const BatchResult r = s.run(kScript, throwing);
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.transcript.find("error エラー[99] / プログラムの内部でエラーが発生しました。"), std::string::npos)
      << r.transcript;
  EXPECT_EQ(s.readBytes("HEADLY.TXT"), kOld);
  EXPECT_EQ(names(s.dir()), (std::set<std::string>{"HEADLY.TXT", "data.csv"}));
}

}  // namespace
}  // namespace headly
