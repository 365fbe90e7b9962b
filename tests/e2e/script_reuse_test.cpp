// Scripts that are run again on new data: items named instead of numbered,
// the data file given as an argument, saved files replaced or kept on
// purpose, and a script file saved with a byte order mark.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/batch_session.h"
#include "support/sample_data.h"

namespace headly::test {
namespace {

// The sample session as the guide runs it, on this data.
BatchResult runSample(BatchSession& s, const std::string& data) {
  s.writeBytes("sales.csv", data);
  return s.runWith(sampleFile("sales.script"), {s.path("sales.csv")});
}

TEST(SampleScript, ReplaysOnDataWithAnAddedFirstColumnToTheSameLayout) {
  BatchSession thisMonth;
  ASSERT_EQ(runSample(thisMonth, sampleFile("sales.csv")).exitCode, 0);
  BatchSession nextMonth;
  const BatchResult r = runSample(nextMonth, withDateColumn(sampleFile("sales.csv")));
  ASSERT_EQ(r.exitCode, 0) << r.transcript;
  EXPECT_NE(r.transcript.find("show LIST2 | 支店 | 担当\nshow LIST3 | 商品 | 数量\n"), std::string::npos);
  EXPECT_EQ(nextMonth.readBytes("HEADLY.TXT"), thisMonth.readBytes("HEADLY.TXT"));
}

TEST(SampleScript, RerunWhereEveryOutputExistsReplacesThem) {
  BatchSession s;
  ASSERT_EQ(runSample(s, sampleFile("sales.csv")).exitCode, 0);
  const std::string layout = s.readBytes("HEADLY.TXT");
  const std::string csv = s.readBytes("SALES.TXT");
  s.writeBytes("HEADLY.TXT", "old");
  s.writeBytes("SALES.TXT", "old");
  const BatchResult again = runSample(s, sampleFile("sales.csv"));
  ASSERT_EQ(again.exitCode, 0) << again.transcript;
  for (const char* name : {"SALES.TXT", "HEADLY.TXT"})
    EXPECT_NE(again.transcript.find("overwrite " + s.internalPath(name) + " -> Yes\n"), std::string::npos) << name;
  EXPECT_EQ(s.readBytes("HEADLY.TXT"), layout);
  EXPECT_EQ(s.readBytes("SALES.TXT"), csv);
}

constexpr char kToCsv[] =
    "cwd @DIR@\nfile data.csv\ninput 500\nselect LIST1 0\npress BUTTON2\nselect LIST1 0\npress BUTTON4\n"
    "check CHECK1\npress BUTTON6\n";

TEST(FileChoice, KeepLeavesAnExistingFileAndCancelsTheDialog) {
  BatchSession s;
  s.writeSjisFile("data.csv", "支店,数量\r\n東京,1\r\n");
  s.writeBytes("out.csv", "old");
  // Without headings the run ends after the CSV dialog.
  const BatchResult r = s.run(std::string(kToCsv) + "file out.csv keep\n");
  EXPECT_EQ(r.exitCode, 0) << r.transcript;
  EXPECT_NE(r.transcript.find("overwrite " + s.internalPath("out.csv") + " -> No\nsave ＣＳＶファイルの書き込み | " +
                              s.internalPath("*.TXT") + " | ﾃｷｽﾄ形式(*.TXT) -> ESC\n"),
            std::string::npos)
      << r.transcript;
  EXPECT_EQ(s.readBytes("out.csv"), "old");

  // Where the file is not there, the same line saves it without a question.
  std::filesystem::remove(s.path("out.csv"));
  const BatchResult fresh = s.run(std::string(kToCsv) + "file out.csv keep\n");
  EXPECT_EQ(fresh.transcript.find("overwrite"), std::string::npos) << fresh.transcript;
  EXPECT_EQ(s.readAsUtf8("out.csv"), "支店,数量\r\n東京,1\r\n\x1A");
}

TEST(FileChoice, TheOldFormStillTakesTheNextLineAsTheAnswer) {
  BatchSession s;
  s.writeSjisFile("data.csv", "支店,数量\r\n東京,1\r\n");
  s.writeBytes("out.csv", "old");
  const BatchResult r = s.run(std::string(kToCsv) + "file out.csv\nanswer No\nfile out.csv replace\n");
  EXPECT_EQ(r.exitCode, 0) << r.transcript;
  EXPECT_NE(r.transcript.find("overwrite " + s.internalPath("out.csv") + " -> No\noverwrite " +
                              s.internalPath("out.csv") + " -> Yes\n"),
            std::string::npos)
      << r.transcript;
  EXPECT_EQ(s.readAsUtf8("out.csv"), "支店,数量\r\n東京,1\r\n\x1A");
}

TEST(FileChoice, AnAnswerIfAskedAnswersTheOverwriteQuestionOnlyWhereTheFileExists) {
  BatchSession s;
  s.writeSjisFile("data.csv", "支店,数量\r\n東京,1\r\n");
  const std::string script = std::string(kToCsv) + "file out.csv\nanswer Yes if asked\n";
  const BatchResult fresh = s.run(script);
  EXPECT_EQ(fresh.exitCode, 0) << fresh.transcript;
  EXPECT_EQ(fresh.transcript.find("overwrite"), std::string::npos) << fresh.transcript;
  s.writeBytes("out.csv", "old");
  const BatchResult again = s.run(script);
  EXPECT_EQ(again.exitCode, 0) << again.transcript;
  EXPECT_NE(again.transcript.find("overwrite " + s.internalPath("out.csv") + " -> Yes\n"), std::string::npos);
  EXPECT_EQ(s.readAsUtf8("out.csv"), "支店,数量\r\n東京,1\r\n\x1A");
  // Not asked, it is passed over before the next answer; it answers no other question.
  const BatchResult passed = s.run("cwd @DIR@\nanswer Yes if asked\ncancel\n");
  EXPECT_EQ(passed.exitCode, 0) << passed.transcript;
  const BatchResult notOther = s.run("cwd @DIR@\nfile data.csv\ninput 1\nanswer OK if asked\n");
  EXPECT_EQ(notOther.exitCode, 2) << notOther.transcript;
  EXPECT_NE(notOther.transcript.find("misfit the script ended while the program asks: message 処理エラー"),
            std::string::npos)
      << notOther.transcript;
}

TEST(RecordLimit, AllRecordsLetsEveryLineOfTheFileIn) {
  BatchSession s;
  std::string lines = "支店,数量\r\n";
  for (int i = 0; i < 700; ++i) lines += "東京," + std::to_string(i) + "\r\n";
  s.writeSjisFile("data.csv", lines);
  const std::string toCsv = std::string(kToCsv).substr(std::string(kToCsv).find("select"));
  const BatchResult r = s.run("cwd @DIR@\nfile data.csv\ninput all records\n" + toCsv + "file out.csv\n");
  ASSERT_EQ(r.exitCode, 0) << r.transcript;
  EXPECT_NE(r.transcript.find("最大レコード数より大きく設定 | 500 -> 702\n"), std::string::npos) << r.transcript;
  EXPECT_EQ(s.readAsUtf8("out.csv"), lines + "\x1A");
  // The last line without a line end, LF lines: still one more than the data lines.
  s.writeSjisFile("data.csv", "支店,数量\n東京,1\n大阪,2");
  const BatchResult lf = s.run("cwd @DIR@\nfile data.csv\ninput all records\n" + toCsv + "file out.csv replace\n");
  ASSERT_EQ(lf.exitCode, 0) << lf.transcript;
  EXPECT_NE(lf.transcript.find("| 500 -> 3\n"), std::string::npos) << lf.transcript;
}

// The folder 4月〜6月 (U+301C, as Linux input methods type it) named in a
// script as 4月～6月 (U+FF5E, Shift-JIS's own form), and the other way round.
TEST(ScriptPaths, CwdAndFileFindTheFolderInEitherUnicodeForm) {
  for (const auto& [onDisk, written] : {std::pair<std::string, std::string>{"4月〜6月", "4月～6月"},
                                        std::pair<std::string, std::string>{"4月～6月", "4月〜6月"}}) {
    SCOPED_TRACE(onDisk);
    BatchSession s;
    std::filesystem::create_directories(std::filesystem::u8path(s.path(onDisk)));
    s.writeSjisFile(onDisk + "/data.csv", "支店,数量\r\n東京,1\r\n");
    const std::string toCsv = std::string(kToCsv).substr(std::string(kToCsv).find("input"));
    const BatchResult inside = s.run("cwd @DIR@/" + written + "\nfile data.csv\n" + toCsv + "file out.csv\n");
    ASSERT_EQ(inside.exitCode, 0) << inside.transcript;
    const BatchResult below = s.run("cwd @DIR@\nfile " + written + "/data.csv\n" + toCsv + "file out2.csv\n");
    ASSERT_EQ(below.exitCode, 0) << below.transcript;
    for (const char* name : {"/out.csv", "/out2.csv"})
      EXPECT_EQ(s.readAsUtf8(onDisk + name), "支店,数量\r\n東京,1\r\n\x1A") << name;
  }
}

TEST(ScriptArguments, AMissingArgumentIsAMisfitNamingIt) {
  BatchSession s;
  const BatchResult r = s.runWith("# data\nfile \"$1\"\ninput $2\n", {"a.csv"});
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_EQ(r.transcript, "misfit line 3 (input $2): the script is run without argument $2 (it was given 1)\n");
}

TEST(ScriptArguments, ADoubledDollarIsTheTextItself) {
  BatchSession s;
  s.writeSjisFile("data.csv", "支店,数量\r\n東京,1\r\n");
  // $$1 is the record limit "$1", which is no number: the program asks again.
  const BatchResult r = s.runWith("cwd @DIR@\nfile $1\ninput $$1\ncancel\n", {"data.csv"});
  EXPECT_NE(r.transcript.find("最大レコード数より大きく設定 | 500 -> $1\n"), std::string::npos) << r.transcript;
}

TEST(ScriptFile, AByteOrderMarkBeforeTheFirstLineIsSkipped) {
  BatchSession s;
  const BatchResult r = s.run("\xEF\xBB\xBF" "cwd @DIR@\ncancel\n");
  EXPECT_EQ(r.exitCode, 0) << r.transcript;
  EXPECT_EQ(r.transcript.substr(r.transcript.size() - 4), "end\n");
}

}  // namespace
}  // namespace headly::test
