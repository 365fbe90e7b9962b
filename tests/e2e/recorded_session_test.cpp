// The recorder between the toolkit and a backend: a session played by the
// script driver is recorded, and the recorded script, replayed by the
// script driver on a copy of the data, writes the same bytes; replayed on the
// data with a column added, the same layout.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <sstream>

#include "main/program_assembly.h"
#include "support/batch_session.h"
#include "support/pdf_tools.h"
#include "support/sample_data.h"
#include "system/drives.h"
#include "system/file_system.h"
#include "system/text_files.h"
#include "ui/script/script_backend.h"
#include "ui/session_recorder.h"

namespace headly::test {
namespace {

// Plays the script (its file lines with absolute paths, "$1" the data file)
// with the recorder in between and gives what the recorder wrote.
std::string recordSession(const std::string& script, const std::string& dataFile) {
  ScriptReader reader(script, {dataFile});
  const std::unique_ptr<FileSystem> fileSystem = makePosixFileSystem();
  Drives drives(*fileSystem);
  TextFiles files(*fileSystem, drives);
  std::ostringstream transcript;
  ScriptBackend windows(reader, drives, transcript, false);
  std::ostringstream recorded;
  SessionRecorder recorder(windows, drives, recorded, "month.script");
  AssembledProgram program(recorder, files);
  EXPECT_EQ(program.run(), RunResult::Ended) << transcript.str();
  EXPECT_TRUE(reader.atEnd()) << transcript.str();
  return recorded.str();
}

TEST(RecordedSession, TheScriptNamesItemsAndReplaysToTheSameBytes) {
  BatchSession played;
  played.writeBytes("sales.csv", sampleFile("sales.csv"));
  // Typing in two fields and a check box toggled twice on the way.
  const std::string recorded = recordSession(
      "file \"$1\"\ninput 500\nselect LIST1 0 1 3\nselect LIST1 3\npress BUTTON2\nselect LIST1 0 1\npress BUTTON4\n"
      "check CHECK2\ncheck CHECK2\npress BUTTON6\nfile out.txt\nanswer No\npress BUTTON9\nanswer Yes\n"
      "type EDIT4 4\ntype EDIT4 2\npress BUTTON9\nanswer Yes\npress BUTTON9\nanswer Yes\ntype EDIT1 2\ntype EDIT2 [\n"
      "press BUTTON1\nanswer Yes\nanswer Yes\nfile " + played.path("HEADLY.TXT") + "\n",
      played.path("sales.csv"));
  EXPECT_EQ(recorded,
            "# ＨＥＡＤＬＹの操作の記録です。データファイルを指定して再生します:\n"
            "# A session recorded by headly --record. Replay it on a data file with:\n"
            "#   headly-batch month.script DATAFILE\n"
            "# (DATAFILE は $1 です / DATAFILE is $1; the guide: docs/scripting.md)\n"
            "# データファイル / data file: " + played.path("sales.csv") + "\n"
            "file \"$1\"\n# 入力したレコード数の最大域 / record limit typed: 500\ninput all records\n"
            "select LIST1 =支店\nselect LIST1 =担当\nselect LIST1 =数量\nselect LIST1 =数量\n"
            "press BUTTON2\nselect LIST1 =商品\nselect LIST1 =数量\npress BUTTON4\ncheck CHECK2\ncheck CHECK2\npress BUTTON6\n"
            "file out.txt replace\nanswer No\npress BUTTON9\nanswer Yes\ntype EDIT4 2\npress BUTTON9\nanswer Yes\n"
            "press BUTTON9\nanswer Yes\ntype EDIT1 2\ntype EDIT2 [\npress BUTTON1\nanswer Yes\nanswer Yes\n"
            "file HEADLY.TXT replace\n");

  BatchSession replayed;
  replayed.writeBytes("sales.csv", sampleFile("sales.csv"));
  const BatchResult again = replayed.runWith(recorded, {replayed.path("sales.csv")});
  ASSERT_EQ(again.exitCode, 0) << again.transcript;
  for (const char* file : {"out.txt", "HEADLY.TXT"}) EXPECT_EQ(replayed.readBytes(file), played.readBytes(file));

  BatchSession nextMonth;
  nextMonth.writeBytes("sales.csv", withDateColumn(sampleFile("sales.csv")));
  const BatchResult later = nextMonth.runWith(recorded, {nextMonth.path("sales.csv")});
  ASSERT_EQ(later.exitCode, 0) << later.transcript;
  EXPECT_EQ(nextMonth.readBytes("HEADLY.TXT"), played.readBytes("HEADLY.TXT"));
}

TEST(RecordedSession, ThePdfEntryIsRecordedByItsTextAndReplays) {
  BatchSession played;
  played.writeBytes("sales.csv", sampleFile("sales.csv"));
  const std::string recorded = recordSession(
      "file \"$1\"\ninput 500\nselect LIST1 0 1\npress BUTTON2\nselect LIST1 0 1\npress BUTTON4\npress BUTTON6\n"
      "cancel\nanswer No\npress BUTTON9\nanswer Yes\npress BUTTON9\nanswer Yes\npress BUTTON9\nanswer Yes\n"
      "press BUTTON1\nanswer Yes\nanswer Yes\nfile " + played.path("HEADLY") + " PDF\n",
      played.path("sales.csv"));
  EXPECT_NE(recorded.find("\nfile HEADLY.PDF PDF文書 replace\n"), std::string::npos) << recorded;
  BatchSession replayed;
  replayed.writeBytes("sales.csv", sampleFile("sales.csv"));
  const BatchResult again = replayed.runWith(recorded, {replayed.path("sales.csv")});
  ASSERT_EQ(again.exitCode, 0) << again.transcript;
  EXPECT_TRUE(qpdfAccepts(replayed.path("HEADLY.PDF")));
}

TEST(RecordedSession, EmptyAndQuotedTextsCancelsAndTheCloseAreWrittenSoTheyReadBack) {
  BatchSession played;
  played.writeSjisFile("data.csv", "支店 名,数量\r\n東京,1\r\n");
  // The record limit left empty (refused), then typed with a blank: the
  // limit that was taken noted; a row named with a blank; the main window
  // closed.
  const std::string recorded = recordSession(
      "file \"$1\"\ninput\nanswer OK\ninput \"5 0\"\nselect LIST1 0\nclose\n", played.path("data.csv"));
  EXPECT_EQ(recorded.substr(recorded.find("\nfile ") + 1),
            "file \"$1\"\n# 入力したレコード数の最大域 / record limit typed: \"5 0\"\ninput all records\n"
            "select LIST1 \"=支店 名\"\nclose\n");
  EXPECT_EQ(played.runWith(recorded, {played.path("data.csv")}).exitCode, 0);

  const std::string cancelled = recordSession("file \"$1\"\ncancel\n", played.path("data.csv"));
  EXPECT_EQ(cancelled.substr(cancelled.find("\nfile ") + 1), "file \"$1\"\ncancel\n");
  // A limit refused, then the question cancelled: only the cancel.
  const std::string refused = recordSession("file \"$1\"\ninput 1\nanswer OK\ncancel\n", played.path("data.csv"));
  EXPECT_EQ(refused.substr(refused.find("\nfile ") + 1), "file \"$1\"\ncancel\n");
  const std::string noFile = recordSession("cancel\n", "");
  EXPECT_EQ(noFile.substr(noFile.rfind('\n', noFile.size() - 2) + 1), "cancel\n");
}

// The sample data lines repeated until the file holds more than 500 records.
std::string longerThanTheLimit(const std::string& csv) {
  const size_t body = csv.find('\n') + 1;
  std::string out = csv;
  while (out.size() < 600 * (csv.size() - body) / 8) out += csv.substr(body);
  return out;
}

TEST(RecordedSession, ALimitTooSmallAtFirstIsRecordedAsAllRecordsAndReplaysOnALongerFile) {
  BatchSession played;
  played.writeBytes("sales.csv", sampleFile("sales.csv"));
  const std::string recorded = recordSession(
      "file \"$1\"\ninput 3\nanswer OK\ninput 500\nselect LIST1 =支店 =担当\npress BUTTON2\nselect LIST1 =商品 =数量\n"
      "press BUTTON4\ncheck CHECK2\npress BUTTON6\nanswer No\npress BUTTON9\nanswer Yes\npress BUTTON9\nanswer Yes\n"
      "press BUTTON9\nanswer Yes\npress BUTTON1\nanswer Yes\nanswer Yes\nfile " + played.path("HEADLY.TXT") + "\n",
      played.path("sales.csv"));
  EXPECT_NE(recorded.find("\nfile \"$1\"\n# 入力したレコード数の最大域 / record limit typed: 500\n"
                          "input all records\nselect LIST1 =支店\n"),
            std::string::npos)
      << recorded;

  BatchSession nextMonth;
  const std::string longer = longerThanTheLimit(sampleFile("sales.csv"));
  nextMonth.writeBytes("sales.csv", withDateColumn(longer));
  const BatchResult r = nextMonth.runWith(recorded, {nextMonth.path("sales.csv")});
  ASSERT_EQ(r.exitCode, 0) << r.transcript;
  BatchSession sameColumns;
  sameColumns.writeBytes("sales.csv", longer);
  ASSERT_EQ(sameColumns.runWith(recorded, {sameColumns.path("sales.csv")}).exitCode, 0);
  EXPECT_GT(std::count(longer.begin(), longer.end(), '\n'), 501);
  EXPECT_EQ(nextMonth.readBytes("HEADLY.TXT"), sameColumns.readBytes("HEADLY.TXT"));
}

TEST(RecordedSession, TheClashQuestionIsAnsweredIfAskedSoTheRecordingReplaysInTheSameFolder) {
  BatchSession played;
  played.writeBytes("sales.csv", sampleFile("sales.csv"));
  // The folder of the data is the start folder, where FORM5 creates 売上.
  const std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(played.dir());
  const std::string session =
      "file \"$1\"\ninput 500\nselect LIST1 =支店 =担当\npress BUTTON2\nselect LIST1 =商品\npress BUTTON4\n"
      "check CHECK2\ncheck CHECK3\npress BUTTON6\nanswer OK\npress BUTTON9\nanswer Yes\nanswer Yes\n"
      "type EDIT7 売上\npress BUTTON14\n";
  // Recorded where 売上 is not there yet, then where it is (asked once).
  const std::string fresh = recordSession(session, played.path("sales.csv"));
  const std::string again = recordSession(session + "answer Yes\n", played.path("sales.csv"));
  for (const std::string* recorded : {&fresh, &again}) {
    EXPECT_EQ(recorded->substr(recorded->rfind("\ntype ") + 1), "type EDIT7 売上\npress BUTTON14\nanswer Yes if asked\n");
    const BatchResult r = played.runWith(*recorded, {played.path("sales.csv")});
    EXPECT_EQ(r.exitCode, 0) << r.transcript;
  }
  std::filesystem::current_path(before);
  for (const char* folder : {"売上", "売上_[1]", "売上_[2]", "売上_[3]"})
    EXPECT_TRUE(std::filesystem::is_directory(std::filesystem::u8path(played.path(folder)))) << folder;
}

// The information after converting a UTF-8 file comes only in a month whose
// data holds what it tells of (here − U+2212, read as Shift-JIS's －): a
// recording of either month replays on the other.
TEST(RecordedSession, TheConversionNoticeIsAnsweredOnlyIfItComes) {
  const std::string plain = "品目,値\r\nA,5\r\n", minus = "品目,値\r\nA,\u22125\r\n";
  for (const auto& [recordedOn, replayedOn] : {std::pair{plain, minus}, std::pair{minus, plain}}) {
    BatchSession played;
    played.writeBytes("data.csv", recordedOn);
    const std::string recorded = recordSession(
        "file \"$1\"\nanswer Yes\n" + std::string(recordedOn == minus ? "answer OK\n" : "") +
            "input 500\nselect LIST1 0\npress BUTTON2\nselect LIST1 0\npress BUTTON4\ncheck CHECK1\npress BUTTON6\n"
            "file " + played.path("out.csv") + "\n",
        played.path("data.csv"));
    EXPECT_NE(recorded.find("\nanswer Yes\nanswer OK if asked\n"), std::string::npos) << recorded;
    BatchSession replayed;
    replayed.writeBytes("data.csv", replayedOn);
    const BatchResult again = replayed.runWith(recorded, {replayed.path("data.csv")});
    EXPECT_EQ(again.exitCode, 0) << again.transcript;
    EXPECT_EQ(again.transcript.find("Shift-JISの形で読み込んだ文字") != std::string::npos, replayedOn == minus)
        << again.transcript;
  }
}

}  // namespace
}  // namespace headly::test
