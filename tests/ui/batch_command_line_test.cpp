// The command line of headly-batch: options read with getopt_long, the
// script's own arguments, standard input as the script, scripts refused
// before they are read, and misfit lines on standard error as well.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "headly_identity.h"
#include "support/batch_session.h"
#include "main/batch_command_line.h"
#include "main/script_file.h"
#include "build_paths.h"

namespace headly {
namespace {

using test::BatchSession;

BatchCommandLine parse(std::vector<std::string> words) {
  words.insert(words.begin(), "headly-batch");
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  return parseBatchCommandLine(int(words.size()), argv.data());
}

TEST(BatchCommandLine, OptionsEndAtTheScriptWhoseArgumentsFollow) {
  const BatchCommandLine run = parse({"--draw", "month.script", "-x", "--draw", "data.csv"});
  EXPECT_EQ(run.action, BatchCommandLine::Action::Run);
  EXPECT_TRUE(run.draw);
  EXPECT_EQ(run.scriptPath, "month.script");
  EXPECT_EQ(run.arguments, (std::vector<std::string>{"-x", "--draw", "data.csv"}));
  EXPECT_EQ(parse({"-"}).scriptPath, "-");
  EXPECT_FALSE(parse({"-"}).draw);
  EXPECT_EQ(parse({"-h"}).action, BatchCommandLine::Action::Help);
  EXPECT_EQ(parse({"--draw", "--version"}).action, BatchCommandLine::Action::Version);
  EXPECT_EQ(parse({"--bogus", "a.script"}).fault, "unknown option --bogus");
  EXPECT_EQ(parse({"--draw"}).fault, "no script given");
  EXPECT_EQ(parse({}).action, BatchCommandLine::Action::Wrong);
}

// Runs the program with a shell command line; out and err hold what it wrote.
struct Child {
  int status;
  std::string out, err;
};
Child runProgram(BatchSession& s, const std::string& args, const std::string& input = "") {
  s.writeBytes("stdin.txt", input);
  const int raw = std::system((std::string(test::kBatchPath) + " <" + s.path("stdin.txt") + " " + args + " >" +
                               s.path("out.txt") + " 2>" + s.path("err.txt"))
                                  .c_str());
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, s.readBytes("out.txt"), s.readBytes("err.txt")};
}

TEST(BatchProgram, HelpAndVersionGoToStandardOutput) {
  BatchSession s;
  const Child help = runProgram(s, "--help");
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("usage: headly-batch [--draw] SCRIPT [ARG...]\n"), std::string::npos);
  EXPECT_EQ(help.err, "");
  const Child version = runProgram(s, "--version");
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, "headly-batch " HEADLY_VERSION "\n");
  const Child wrong = runProgram(s, "--bogus");
  EXPECT_EQ(wrong.status, 2);
  EXPECT_EQ(wrong.err.rfind("headly-batch: unknown option --bogus\nusage: headly-batch", 0), 0u) << wrong.err;
}

TEST(BatchProgram, TheScriptFromStandardInputWithItsArguments) {
  BatchSession s;
  s.writeSjisFile("data.csv", "支店,数量\r\n東京,1\r\n");
  const Child r = runProgram(s, "- data.csv", "cwd " + s.dir() + "\nfile \"$1\"\ncancel\n");
  EXPECT_EQ(r.status, 0) << r.out << r.err;
  EXPECT_NE(r.out.find("-> " + s.internalPath("data.csv") + "\n"), std::string::npos) << r.out;
  EXPECT_EQ(r.err, "");
}

TEST(BatchProgram, MisfitAndErrorLinesGoToStandardErrorAsWell) {
  BatchSession s;
  s.writeBytes("bad.script", "cwd " + s.dir() + "\nanswer Yes\n");
  const Child r = runProgram(s, s.path("bad.script"));
  EXPECT_EQ(r.status, 2);
  const std::string misfit = r.out.substr(r.out.find("misfit "));
  EXPECT_EQ(r.err, misfit);
}

TEST(BatchProgram, ScriptsThatAreNoRegularFileOrTooLargeAreRefused) {
  BatchSession s;
  for (const std::string& script : {std::string("/dev/zero"), s.dir()}) {
    const Child r = runProgram(s, script);
    EXPECT_EQ(r.status, 2) << script;
    EXPECT_NE(r.err.find("not a regular file"), std::string::npos) << r.err;
    EXPECT_EQ(r.out, "");
  }
  s.writeBytes("huge.script", std::string(kMaxScriptBytes + 1, '#'));
  EXPECT_NE(runProgram(s, s.path("huge.script")).err.find("larger than 4 MB"), std::string::npos);
  // Standard input is read only as far as a script may go.
  const Child endless = runProgram(s, "- </dev/zero");
  EXPECT_EQ(endless.status, 2);
  EXPECT_NE(endless.err.find("larger than 4 MB"), std::string::npos) << endless.err;
  EXPECT_NE(runProgram(s, s.path("missing.script")).err.find("cannot read"), std::string::npos);
}

}  // namespace
}  // namespace headly
