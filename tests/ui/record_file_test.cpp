// The file that headly --record writes: an existing file is kept until the
// user has said it may be replaced, and a write that fails is told at once.
#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "main/record_option.h"
#include "support/acting_backend.h"
#include "support/batch_session.h"
#include "system/drives.h"
#include "system/file_system.h"
#include "ui/session_recorder.h"

namespace headly::record_file_test {
namespace {

using test::ActingBackend;
using test::BatchSession;

RecordOption take(const std::string& path) {
  std::string words[] = {"headly", "--record", path};
  char* argv[] = {words[0].data(), words[1].data(), words[2].data(), nullptr};
  int argc = 3;
  return takeRecordOption(argc, argv);
}

struct NoSink : EventSink {
  void controlEvent(ControlEvent) override {}
  void mainWindowClosed() override {}
  void stopNotification(SjisString, SjisString) override {}
};

TEST(RecordFile, AnExistingFileIsKeptUntilTheUserSaysYes) {
  BatchSession s;
  s.writeBytes("month.script", "file \"$1\"\n");
  RecordOption option = take(s.path("month.script"));
  EXPECT_EQ(option.fault, "");
  EXPECT_EQ(s.readBytes("month.script"), "file \"$1\"\n");

  const std::string question = "操作の記録 | 記録するファイル " + s.path("month.script") +
                               " は既にあります。上書きしますか？";
  ActingBackend windows;
  windows.answers = {kAnswerNo};
  EXPECT_FALSE(confirmRecordFile(option, windows));
  EXPECT_EQ(windows.messages, std::vector<std::string>{question});
  EXPECT_EQ(s.readBytes("month.script"), "file \"$1\"\n");

  windows.answers = {kAnswerYes};
  EXPECT_TRUE(confirmRecordFile(option, windows));
  ASSERT_TRUE(option.file && *option.file);
  EXPECT_EQ(s.readBytes("month.script"), "");

  // A new file is opened at once and asks nothing.
  RecordOption fresh = take(s.path("new.script"));
  ASSERT_TRUE(fresh.file && *fresh.file);
  ActingBackend silent;
  EXPECT_TRUE(confirmRecordFile(fresh, silent));
  EXPECT_TRUE(silent.messages.empty());
}

// A full disk: the first line that cannot be written is told in a message
// box (once), and the session goes on without the recording.
TEST(RecordFile, AWriteThatFailsIsToldAtOnce) {
  const std::unique_ptr<FileSystem> fileSystem = makePosixFileSystem();
  Drives drives(*fileSystem);
  ActingBackend windows;
  windows.answers = {kAnswerOk};
  std::ofstream full("/dev/full", std::ios::binary);
  ASSERT_TRUE(full);
  SessionRecorder recorder(windows, drives, full, "/dev/full");
  NoSink sink;
  recorder.createWindows(sink);
  ASSERT_EQ(windows.messages.size(), 1u);
  EXPECT_EQ(windows.messages[0].rfind("操作の記録 | 記録ファイル /dev/full に書き込めません", 0), 0u)
      << windows.messages[0];
  recorder.end();
  EXPECT_EQ(windows.messages.size(), 1u);
}

}  // namespace
}  // namespace headly::record_file_test
