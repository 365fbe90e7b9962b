// Runs that end early while output is written: a termination signal in
// folder mode (every heading file stays complete) and SIGQUIT in file mode,
// a file-size limit (the write fails as on a full disk, no SIGXFSZ), and a
// full disk while a heading file written earlier in the run is appended to
// (the file goes back to what it was).
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <climits>
#include <cstdint>
#include <filesystem>
#include <string>

#include "support/batch_session.h"
#include "support/child_run.h"
#include "support/faulty_file_system.h"
#include "text/encoding.h"

namespace headly::ended_early_test {
namespace {

namespace fs = std::filesystem;
using test::BatchResult;
using test::BatchSession;
using test::layoutFile;
using test::runStoppedAtWrite;
using test::StoppedRun;

// 見出し the heading item, 本文 the other item, full width, folder mode: the
// base folder HEADLY below the data file's folder.
constexpr char kFolderScript[] =
    "cwd @DIR@\nfile data.csv\ninput 9000\nselect LIST1 0\npress BUTTON2\nselect LIST1 0\npress BUTTON4\n"
    "check CHECK2\ncheck CHECK3\npress BUTTON6\nanswer OK\npress BUTTON9\nanswer Yes\nanswer Yes\npress BUTTON14\n";
// The same in file mode, replacing HEADLY.TXT.
constexpr char kFileScript[] =
    "cwd @DIR@\nfile data.csv\ninput 9000\nselect LIST1 0\npress BUTTON2\nselect LIST1 0\npress BUTTON4\n"
    "check CHECK2\npress BUTTON6\nanswer Yes\npress BUTTON9\nanswer Yes\npress BUTTON9\nanswer Yes\nanswer Yes\n"
    "file HEADLY.TXT\nanswer Yes\n";
constexpr char kOld[] = "old layout\r\n\x1a";

// Heading a with one line, b with one line, then a again with many: its file
// is appended to after the other two are complete.
std::string appendingData() {
  std::string data = "見出し,本文\r\na,1\r\nb,2\r\n";
  for (int i = 0; i < 6000; ++i) data += "a,いろはにほへと" + std::to_string(i) + "\r\n";
  return data;
}

// A complete heading file: whole lines ended by CR LF, then its one 0x1A.
::testing::AssertionResult isComplete(const std::string& bytes) {
  if (bytes.empty() || bytes.back() != '\x1a' || bytes.find('\x1a') != bytes.size() - 1)
    return ::testing::AssertionFailure() << "no single end mark at the end";
  if (bytes.size() > 1 && bytes.compare(bytes.size() - 3, 2, "\r\n") != 0)
    return ::testing::AssertionFailure() << "a cut line before the end mark";
  return ::testing::AssertionSuccess();
}

bool hasTemporaryFile(const std::string& folder) {
  for (const auto& e : fs::recursive_directory_iterator(folder))
    if (e.path().filename().string().rfind(".~HEADLY-", 0) == 0) return true;
  return false;
}

TEST(EndedEarly, ASignalInFolderModeLeavesEveryHeadingFileComplete) {
  for (int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) {
    SCOPED_TRACE(signal);
    BatchSession s;
    s.writeSjisFile("data.csv", appendingData());
    // Writes 1 and 2 end the files of a and b; write 3 is the first block of
    // a's second part.
    const StoppedRun stopped = runStoppedAtWrite(s, kFolderScript, signal, 3);
    ASSERT_TRUE(WIFEXITED(stopped.status)) << stopped.transcript;
    EXPECT_EQ(WEXITSTATUS(stopped.status), 128 + signal);
    EXPECT_NE(stopped.transcript.find("error エラー[" + std::to_string(128 + signal) + "] / "), std::string::npos)
        << stopped.transcript;
    // The message tells what became of the heading files, not of a replaced file.
    const std::string stoppedText = "を受けたため、書き込みを中止しました。", folders = "見出しのファイルは、書き終えた行までで閉じました。";
    EXPECT_NE(stopped.errors.find(stoppedText + folders), std::string::npos) << stopped.errors;
    EXPECT_NE(stopped.transcript.find(stoppedText + " / " + folders + " / "), std::string::npos) << stopped.transcript;
    EXPECT_EQ(stopped.transcript.find("元のファイル"), std::string::npos) << stopped.transcript;
    EXPECT_EQ(s.readBytes("HEADLY/ｂ.TXT"), layoutFile({"２"}));
    const std::string a = s.readBytes("HEADLY/ａ.TXT");
    EXPECT_EQ(a.rfind(sjis("１") + "\r\n" + sjis("いろはにほへと０") + "\r\n", 0), 0u);
    EXPECT_TRUE(isComplete(a));
  }
}

TEST(EndedEarly, SigquitEndsFileModeLikeSigterm) {
  BatchSession s;
  s.writeSjisFile("data.csv", appendingData());
  s.writeBytes("HEADLY.TXT", kOld);
  const StoppedRun stopped = runStoppedAtWrite(s, kFileScript, SIGQUIT, 1);
  ASSERT_TRUE(WIFEXITED(stopped.status)) << stopped.transcript;
  EXPECT_EQ(WEXITSTATUS(stopped.status), 128 + SIGQUIT);
  const std::string message = "終了の指示（SIGQUIT）を受けたため、書き込みを中止しました。";
  EXPECT_NE(stopped.transcript.find("error エラー[131] / " + message), std::string::npos) << stopped.transcript;
  EXPECT_NE(stopped.errors.find(message), std::string::npos) << stopped.errors;
  EXPECT_EQ(s.readBytes("HEADLY.TXT"), kOld);
  EXPECT_FALSE(hasTemporaryFile(s.dir()));
}

// Under `ulimit -f` the write fails with EFBIG and ends in the error report
// of a full disk: the old file stays, no temporary file is left, and a
// heading file is complete.
TEST(EndedEarly, AFileSizeLimitEndsInTheErrorReport) {
  const auto limited = [] {
    const rlimit limit{8192, 8192};
    return ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
  };
  BatchSession s;
  s.writeSjisFile("data.csv", appendingData());
  s.writeBytes("HEADLY.TXT", kOld);
  std::optional<BatchResult> r = test::runInChild(s, kFileScript, limited);
  ASSERT_TRUE(r);
  EXPECT_EQ(r->exitCode, 1) << r->transcript;
  EXPECT_NE(r->transcript.find("error エラー[67] / "), std::string::npos) << r->transcript;
  EXPECT_EQ(s.readBytes("HEADLY.TXT"), kOld);
  EXPECT_FALSE(hasTemporaryFile(s.dir()));

  r = test::runInChild(s, kFolderScript, limited);
  ASSERT_TRUE(r);
  EXPECT_EQ(r->exitCode, 1) << r->transcript;
  EXPECT_EQ(s.readBytes("HEADLY/ｂ.TXT"), layoutFile({"２"}));
  EXPECT_TRUE(isComplete(s.readBytes("HEADLY/ａ.TXT")));
}

// A full disk while a's file is appended to: a's file is exactly as it was
// before that append, end mark included.
TEST(EndedEarly, AFailedAppendLeavesTheFileAsItWas) {
  BatchSession s;
  s.writeSjisFile("data.csv", appendingData());
  const size_t firstTwoFiles = 2 * layoutFile({"１"}).size();
  for (size_t more : {size_t(0), size_t(50), size_t(70000)}) {
    SCOPED_TRACE(more);
    fs::remove_all(s.path("HEADLY"));
    test::FaultyFileSystem full(firstTwoFiles + more);
    const BatchResult r = s.run(kFolderScript, full);
    EXPECT_EQ(r.exitCode, 1) << r.transcript;
    EXPECT_NE(r.transcript.find("error エラー[67] / "), std::string::npos) << r.transcript;
    EXPECT_EQ(s.readBytes("HEADLY/ａ.TXT"), layoutFile({"１"}));
    EXPECT_EQ(s.readBytes("HEADLY/ｂ.TXT"), layoutFile({"２"}));
  }
}

}  // namespace
}  // namespace headly::ended_early_test
