// The transcript as an interface: each line reaches standard output as it is
// made, an echoed text cannot forge a line, a misfit echoes only the start of
// a long script line, and a transcript that cannot be written ends in a
// failure status with a message, never in the middle of replacing a file.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "build_paths.h"
#include "main/transcript_tee.h"
#include "support/batch_session.h"
#include "text/encoding.h"

namespace headly::transcript_test {
namespace {

using test::BatchResult;
using test::BatchSession;

std::vector<std::string> linesOf(const std::string& transcript) {
  std::vector<std::string> lines;
  std::istringstream in(transcript);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

TEST(Transcript, EachLineIsOnDiskOnceItIsWhole) {
  BatchSession s;
  std::ofstream file(s.path("out.txt"), std::ios::binary);
  std::ostringstream problems;
  TranscriptTee tee(file, problems);
  std::ostream transcript(&tee);
  transcript << "form MAINFORM x\nopen y";
  EXPECT_EQ(s.readBytes("out.txt"), "form MAINFORM x\n");
  transcript << " -> z\n";
  EXPECT_EQ(s.readBytes("out.txt"), "form MAINFORM x\nopen y -> z\n");
}

// A newline in an argument (or any other control character) is echoed as
// \n, so that it cannot make a line of its own such as a bare "end".
TEST(Transcript, ControlCharactersInEchoedTextsAreEscaped) {
  BatchSession s;
  BatchResult r = s.runWith("cwd @DIR@\nfile \"$1\"\ncancel\n", {"😀\nend\x1b[2J"});
  ASSERT_EQ(r.exitCode, 0) << r.transcript;
  std::vector<std::string> lines = linesOf(r.transcript);
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "end"), 1) << r.transcript;
  EXPECT_NE(r.transcript.find("\nrefused 😀\\nend\\x1B[2J (no Shift-JIS form)\n"), std::string::npos) << r.transcript;

  r = s.runWith("cwd @DIR@\nfile \"$1\"\n", {"missing\nend"});
  EXPECT_EQ(r.exitCode, 2) << r.transcript;
  lines = linesOf(r.transcript);
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "end"), 0) << r.transcript;
  EXPECT_NE(r.transcript.find("\nrefused missing\\nend (not a valid file name)\n"), std::string::npos) << r.transcript;
}

TEST(Transcript, AMisfitEchoesOnlyTheStartOfALongLine) {
  BatchSession s;
  const BatchResult r = s.run("cwd @DIR@\nanswer " + std::string(100000, 'x') + "\n");
  EXPECT_EQ(r.exitCode, 2);
  const std::vector<std::string> lines = linesOf(r.transcript);
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.back().rfind("misfit line 2 (answer xxxx", 0), 0u) << lines.back().substr(0, 200);
  EXPECT_LT(lines.back().size(), 700u);
  EXPECT_NE(lines.back().find("…"), std::string::npos);
}

struct Outcome {
  int status;
  std::string errors;
};

// Runs headly-batch on script with standard output on fd (closed in this
// process afterwards) and standard error into a file.
Outcome runWithOutput(BatchSession& s, const std::string& script, int fd) {
  s.writeBytes("run.script", script);
  const std::string errors = s.path("err.txt");
  const pid_t child = ::fork();
  if (child == 0) {
    ::dup2(fd, STDOUT_FILENO);
    const int err = ::open(errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ::dup2(err, STDERR_FILENO);
    ::execl(test::kBatchPath, test::kBatchPath, s.path("run.script").c_str(), static_cast<char*>(nullptr));
    ::_exit(127);
  }
  ::close(fd);
  int status = 0;
  ::waitpid(child, &status, 0);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status), s.readBytes("err.txt")};
}

TEST(Transcript, ATranscriptThatCannotBeWrittenIsAFailure) {
  BatchSession s;
  s.writeSjisFile("data.csv", "見出し,本文\r\na,1\r\n");
  const std::string script =
      "cwd " + s.dir() +
      "\nfile data.csv\ninput 500\nselect LIST1 0\npress BUTTON2\nselect LIST1 0\npress BUTTON4\ncheck CHECK2\n"
      "press BUTTON6\nanswer Yes\npress BUTTON9\nanswer Yes\npress BUTTON9\nanswer Yes\nanswer Yes\n"
      "file HEADLY.TXT replace\n";
  const std::string message = "headly-batch: 標準出力に記録を書けません";

  Outcome full = runWithOutput(s, script, ::open("/dev/full", O_WRONLY));
  EXPECT_EQ(full.status, 3);
  EXPECT_NE(full.errors.find(message), std::string::npos) << full.errors;
  const std::string written = s.readBytes("HEADLY.TXT");
  ASSERT_FALSE(written.empty());
  EXPECT_EQ(written.back(), '\x1a');

  // A closed pipe: no SIGPIPE in the middle of the run; the layout file is
  // replaced whole.
  s.writeBytes("HEADLY.TXT", "old\r\n\x1a");
  int ends[2];
  ASSERT_EQ(::pipe(ends), 0);
  ::close(ends[0]);
  const Outcome closed = runWithOutput(s, script, ends[1]);
  EXPECT_EQ(closed.status, 3);
  EXPECT_NE(closed.errors.find(message), std::string::npos) << closed.errors;
  const std::string layout = s.readBytes("HEADLY.TXT");
  EXPECT_EQ(layout.rfind(sjis("ａ") + "\r\n", 0), 0u) << layout;
  EXPECT_EQ(layout.substr(layout.size() - 3), "\r\n\x1a");
}

}  // namespace
}  // namespace headly::transcript_test
