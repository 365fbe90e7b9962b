// Whole runs through the headless driver from the data file to the CSV file:
// the open dialog, the record limit and its retry, the classification on
// FORM3, the reordered CSV file and every way the run ends before the
// layout stages.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "support/batch_session.h"
#include "build_paths.h"

namespace headly::test {
namespace {

constexpr char kSales[] =
    "支店,担当,商品,数量\r\n"
    "東京,佐藤,ボールペン,120\r\n"
    "東京,鈴木,\"消しゴム,大\",45\r\n"
    "大阪,田中,ノート,90\r\n";

// The lines every run starts with: the main window and the open dialog
// picking data.csv in the session's folder ({D}).
constexpr char kOpened[] =
    "form MAINFORM データ見出しツールＨＥＡＤＬＹ V４\n"
    "open データファイルの読み込み | {D}\\ | ﾃｷｽﾄ形式(*.TXT,*.CSV) -> {D}\\data.csv\n";

constexpr char kLimitAsked[] = "input レコード数の最大域は？ | 最大レコード数より大きく設定 | ";
constexpr char kLimitError[] = "message 処理エラー | レコード数が最大域を超えました | OK | Stop -> OK\n";
constexpr char kForm3[] = "form FORM3 項目の分類\n";
constexpr char kCsvSaved[] = "save ＣＳＶファイルの書き込み | {D}\\*.TXT | ﾃｷｽﾄ形式(*.TXT) -> {D}\\out.csv\n";

// Every {D} stands for the session's folder as the program sees it.
std::string expand(const BatchSession& s, std::string text) {
  const std::string folder = s.internalPath();
  for (size_t at = text.find("{D}"); at != std::string::npos; at = text.find("{D}", at + folder.size()))
    text.replace(at, 3, folder);
  return text;
}

// A run that opens data.csv and loads it with the default limit.
std::string loaded(const std::string& actions) { return "cwd @DIR@\nfile data.csv\ninput 500\n" + actions; }
std::string loadedTranscript(const BatchSession& s, const std::string& rest) {
  return expand(s, std::string(kOpened) + kLimitAsked + "500 -> 500\n" + kForm3 + rest);
}

// The bytes a CSV file of these Shift-JIS lines holds: the end mark last.
std::string csvFile(const std::string& sjisLines) { return sjisLines + "\x1A"; }

std::string sjisOf(BatchSession& s, const std::string& utf8) {
  s.writeSjisFile("expected.tmp", utf8);
  std::string bytes = s.readBytes("expected.tmp");
  std::filesystem::remove(s.path("expected.tmp"));
  return bytes;
}

TEST(LoadingRun, CancelAtTheFirstDialogShowsNothingElse) {
  BatchSession s;
  const BatchResult r = s.run("cwd @DIR@\ncancel\n");
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.transcript, expand(s,
                                 "form MAINFORM データ見出しツールＨＥＡＤＬＹ V４\n"
                                 "open データファイルの読み込み | {D}\\ | ﾃｷｽﾄ形式(*.TXT,*.CSV) -> ESC\n"
                                 "end\n"));
}

TEST(LoadingRun, CancelAtTheLimitEnds) {
  BatchSession s;
  s.writeSjisFile("data.csv", kSales);
  const BatchResult r = s.run("cwd @DIR@\nfile data.csv\ncancel\n");
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.transcript, expand(s, std::string(kOpened) + kLimitAsked + "500 -> ESC\nend\n"));
}

TEST(LoadingRun, LimitErrorAsksAgainWithTheLastAnswerAndRereadsTheFile) {
  BatchSession s;
  std::string data = "番号,値\r\n";
  for (int i = 1; i <= 500; ++i) data += std::to_string(i) + ",v" + std::to_string(i) + "\r\n";
  s.writeSjisFile("data.csv", data);
  const BatchResult r = s.run(
      "cwd @DIR@\nfile data.csv\ninput 500\nanswer OK\ninput abc\nanswer OK\ninput 501\n"
      "select LIST1 0\npress BUTTON2\nselect LIST1 0\npress BUTTON4\ncheck CHECK1\npress BUTTON6\nfile out.csv\n");
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.transcript, expand(s, std::string(kOpened) + kLimitAsked + "500 -> 500\n" + kLimitError +
                                        kLimitAsked + "500 -> abc\n" + kLimitError + kLimitAsked +
                                        "abc -> 501\n" + kForm3 + kCsvSaved + "end\n"));
  // Every line arrived once, from the first: the CSV file is the data file.
  EXPECT_EQ(s.readBytes("out.csv"), csvFile(s.readBytes("data.csv")));
}

TEST(LoadingRun, LimitMustExceedTheDataLines) {
  struct Case {
    const char* limit;
    int dataLines;
    bool loads;
  };
  for (const Case& c : {Case{"500", 499, true}, Case{"1.4", 1, true}, Case{"1.4", 2, false}, Case{"1.6", 2, false},
                        Case{"99999999", 3, true}, Case{"0", 0, false}, Case{"-3", 1, false}}) {
    SCOPED_TRACE(std::string(c.limit) + " with " + std::to_string(c.dataLines) + " lines");
    BatchSession s;
    std::string data = "a,b\r\n";
    for (int i = 0; i < c.dataLines; ++i) data += "x,y\r\n";
    s.writeSjisFile("data.csv", data);
    const BatchResult r = s.run(std::string("cwd @DIR@\nfile data.csv\ninput ") + c.limit +
                                (c.loads ? "\ncheck CHECK1\ncheck CHECK2\npress BUTTON6\n" : "\nanswer OK\ncancel\n"));
    EXPECT_EQ(r.exitCode, 0);
    const std::string asked = kLimitAsked + std::string(c.limit) + " -> ";
    EXPECT_EQ(r.transcript,
              expand(s, std::string(kOpened) + kLimitAsked + "500 -> " + c.limit + "\n" +
                            (c.loads ? std::string(kForm3) : std::string(kLimitError) + asked + "ESC\n") + "end\n"));
  }
}

// An input method left on types the limit in full-width digits.
TEST(LoadingRun, FullWidthDigitsOfTheLimitAreDigits) {
  BatchSession s;
  s.writeSjisFile("data.csv", kSales);
  const BatchResult r = s.run("cwd @DIR@\nfile data.csv\ninput １０００\ncheck CHECK1\ncheck CHECK2\npress BUTTON6\n");
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.transcript, expand(s, std::string(kOpened) + kLimitAsked + "500 -> 1000\n" + kForm3 + "end\n"));
}

TEST(LoadingRun, EmptyDataFileIsReported) {
  for (const char* bytes : {"", "\x1A"}) {
    BatchSession s;
    s.writeBytes("data.csv", bytes);
    const BatchResult r = s.run(loaded("answer OK\n"));
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.transcript, expand(s, std::string(kOpened) + kLimitAsked + "500 -> 500\n" +
                                          "message 処理エラー | データファイルにデータがありません | OK | Stop -> OK\n"
                                          "end\n"));
  }
}

TEST(LoadingRun, UnreadableLineEndsWithTheErrorReport) {
  BatchSession s;
  s.writeBytes("data.csv", "a,b\r\n" + std::string(40000, 'x') + "\r\n");
  const BatchResult r = s.run(loaded(""));
  EXPECT_EQ(r.exitCode, 1);
  const std::string head = expand(s, std::string(kOpened) + kLimitAsked + "500 -> 500\nerror エラー[15] / ");
  EXPECT_EQ(r.transcript.substr(0, head.size()), head);
  EXPECT_EQ(r.transcript.find("end\n"), std::string::npos);
}

TEST(LoadingRun, ExtraFieldsAreIgnoredWithOneWarning) {
  BatchSession s;
  s.writeSjisFile("data.csv", "支店,数量\r\n東京,1,余り\r\n大阪,2,,\r\n名古屋,3,\"x,y\",z\r\n札幌,4\r\n");
  const BatchResult r =
      s.run(loaded("answer OK\nselect LIST1 0\npress BUTTON2\nselect LIST1 0\npress BUTTON4\ncheck CHECK1\n"
                   "press BUTTON6\nfile out.csv\n"));
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.transcript,
            expand(s, std::string(kOpened) + kLimitAsked + "500 -> 500\n" +
                          "message データの警告 | 項目数を超えるデータは無視します（2行） | OK | Exclamation -> OK\n" +
                          kForm3 + kCsvSaved + "end\n"));
  EXPECT_EQ(s.readBytes("out.csv"), csvFile(sjisOf(s, "支店,数量\r\n東京,1\r\n大阪,2\r\n名古屋,3\r\n札幌,4\r\n")));
}

TEST(ClassificationRun, ListsFollowTheMovesAndOnlyClassifiedItemsReachTheCsv) {
  BatchSession s;
  s.writeSjisFile("data.csv", "A,B,C,D,E\r\na1,b1,c1,d1,e1\r\n");
  const BatchResult r = s.run(loaded(
      "press BUTTON2\nshow LIST1\nshow LIST2\n"
      "select LIST1 0 0\npress BUTTON2\nshow LIST2\n"
      "select LIST1 3 0\nshow LIST1\npress BUTTON2\nshow LIST1\nshow LIST2\n"
      "select LIST1 1\npress BUTTON2\nshow LIST2\n"
      "select LIST2 1\npress BUTTON3\nshow LIST1\nshow LIST2\n"
      "select LIST1 1\npress BUTTON2\nshow LIST2\n"
      "select LIST1 0 1\npress BUTTON4\nshow LIST1\nshow LIST3\n"
      "select LIST3 0\npress BUTTON5\nshow LIST1\nshow LIST3\n"
      "check CHECK1\npress BUTTON6\nfile out.csv\n"));
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.transcript, loadedTranscript(s,
                                           // An arrow with nothing selected moves nothing.
                                           "show LIST1 | A | B | C | D | E\n"
                                           "show LIST2\n"
                                           // A row clicked twice is not selected.
                                           "show LIST2\n"
                                           // Selected rows go over in LIST1 order, whatever the click order.
                                           "show LIST1 | *A | B | C | *D | E\n"
                                           "show LIST1 | B | C | E\n"
                                           "show LIST2 | A | D\n"
                                           "show LIST2 | A | D | C\n"
                                           // The middle heading item goes back to its place in item order.
                                           "show LIST1 | B | D | E\n"
                                           "show LIST2 | A | C\n"
                                           // Moved again, it comes last.
                                           "show LIST2 | A | C | D\n"
                                           "show LIST1\n"
                                           "show LIST3 | B | E\n"
                                           "show LIST1 | B\n"
                                           "show LIST3 | E\n" +
                                               std::string(kCsvSaved) + "end\n"));
  EXPECT_EQ(s.readBytes("out.csv"), csvFile("A,C,D,E\r\na1,c1,d1,e1\r\n"));
}

TEST(CsvRun, HeadingsOffWritesOnlyTheReorderedCsv) {
  BatchSession s;
  s.writeSjisFile("data.csv", kSales);
  // 商品 becomes the heading item and 支店 the other item; 担当 and 数量 stay.
  const BatchResult r = s.run(loaded("select LIST1 2\npress BUTTON2\nselect LIST1 0\npress BUTTON4\n"
                                     "check CHECK1\npress BUTTON6\nfile out.csv\n"));
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.transcript, loadedTranscript(s, std::string(kCsvSaved) + "end\n"));
  EXPECT_EQ(s.readBytes("out.csv"),
            csvFile(sjisOf(s, "商品,支店\r\nボールペン,東京\r\n\"消しゴム,大\",東京\r\nノート,大阪\r\n")));
  size_t files = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(s.dir())) ++files;
  EXPECT_EQ(files, 2u);  // data.csv and out.csv
}

TEST(CsvRun, QuotedFieldsStayValidAndBlankNamesEmpty) {
  BatchSession s;
  s.writeSjisFile("data.csv",
                  "支店,,商品,数量\r\n"
                  "東京,\"彼は\"\"はい\"\"と\",\"ノート,大\",\"12\"\r\n"
                  "大阪, x ,\"\"\"A\"\",\"\"B\"\"\",3\r\n"
                  "名古屋,\"終わり\"\"\"\r\n"
                  "札幌,1,\"\r\n");
  const BatchResult r = s.run(loaded("show LIST1\nselect LIST1 1 3\npress BUTTON2\nselect LIST1 0 1\n"
                                     "press BUTTON4\ncheck CHECK1\npress BUTTON6\nfile out.csv\n"));
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.transcript, loadedTranscript(s, "show LIST1 | 支店 | （空白） | 商品 | 数量\n" + std::string(kCsvSaved) +
                                                  "end\n"));
  EXPECT_EQ(s.readBytes("out.csv"), csvFile(sjisOf(s,
                                                   ",数量,支店,商品\r\n"
                                                   "\"彼は\"\"はい\"\"と\",\"12\",東京,\"ノート,大\"\r\n"
                                                   " x ,3,大阪,\"\"\"A\"\",\"\"B\"\"\"\r\n"
                                                   "\"終わり\"\"\",,名古屋,\r\n"
                                                   "1,,札幌,\"\"\r\n")));
}

TEST(CsvRun, ExistingFileIsReplacedAndCancelWritesNothing) {
  BatchSession s;
  s.writeSjisFile("data.csv", "a,b\r\n1,2\r\n");
  s.writeBytes("out.csv", std::string(1000, 'z'));
  BatchResult r = s.run(loaded("select LIST1 0 1\npress BUTTON2\ncheck CHECK1\npress BUTTON6\n"
                               "file out.csv\nanswer Yes\n"));
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(s.readBytes("out.csv"), csvFile("a,b\r\n1,2\r\n"));

  std::filesystem::remove(s.path("out.csv"));
  r = s.run(loaded("check CHECK1\npress BUTTON6\ncancel\n"));
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.transcript,
            loadedTranscript(s, "save ＣＳＶファイルの書き込み | {D}\\*.TXT | ﾃｷｽﾄ形式(*.TXT) -> ESC\nend\n"));
  EXPECT_FALSE(std::filesystem::exists(s.path("out.csv")));
}

TEST(ForcedEndRun, LayoutsNeedHeadingItemsAndOtherItems) {
  const std::string noHeadings =
      "message 強制終了 | 見出しになる項目が無いので終了します。 | OK | Exclamation -> OK\nend\n";
  const std::string noOthers =
      "message 強制終了 | 見出し以外の項目が無いので終了します。 | OK | Exclamation -> OK\nend\n";
  struct Case {
    const char* moves;
    std::string csvAnswer, transcriptRest;
  };
  for (const Case& c : {
           Case{"select LIST1 1\npress BUTTON4\n", "file out.csv\n", kCsvSaved + noHeadings},
           Case{"select LIST1 1\npress BUTTON2\n", "file out.csv\n", kCsvSaved + noOthers},
           Case{"", "cancel\n", "save ＣＳＶファイルの書き込み | {D}\\*.TXT | ﾃｷｽﾄ形式(*.TXT) -> ESC\n" + noHeadings},
       }) {
    SCOPED_TRACE(c.moves);
    BatchSession s;
    s.writeSjisFile("data.csv", kSales);
    const BatchResult r = s.run(loaded(std::string(c.moves) + "press BUTTON6\n" + c.csvAnswer + "answer OK\n"));
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.transcript, loadedTranscript(s, c.transcriptRest));
  }
  // The CSV file chosen before the stop is still written.
  BatchSession s;
  s.writeSjisFile("data.csv", kSales);
  s.run(loaded("select LIST1 1\npress BUTTON4\npress BUTTON6\nfile out.csv\nanswer OK\n"));
  EXPECT_EQ(s.readBytes("out.csv"), csvFile(sjisOf(s, "担当\r\n佐藤\r\n鈴木\r\n田中\r\n")));
}

TEST(SequenceRun, CsvCancelGoesOnAndNoAtTheFinalConfirmationAsksEveryItemAgain) {
  BatchSession s;
  s.writeSjisFile("data.csv", kSales);
  const std::string items = "press BUTTON9\nanswer Yes\npress BUTTON9\nanswer Yes\n";
  const BatchResult r = s.run(loaded("select LIST1 0\npress BUTTON2\nselect LIST1 2\npress BUTTON4\npress BUTTON6\n"
                                     "cancel\nanswer No\n" + items + "answer No\n" + items +
                                     "answer Yes\nfile HEADLY.TXT\n"));
  EXPECT_EQ(r.exitCode, 0);
  const std::string itemDialogs =
      "form FORM4 項目「支店」の段落数の設定\n"
      "message 確認してください | 項目「支店」の設定はこれでいいですか？ | YesNo | Question -> Yes\n"
      "form FORM4 項目「数量」の段落数の設定\n"
      "message 確認してください | 項目「数量」の設定はこれでいいですか？ | YesNo | Question -> Yes\n"
      "message レイアウト最終確認画面 | 「いいえ」で全てやり直せます | YesNo | Question -> ";
  EXPECT_EQ(r.transcript,
            loadedTranscript(s, "save ＣＳＶファイルの書き込み | {D}\\*.TXT | ﾃｷｽﾄ形式(*.TXT) -> ESC\n"
                                "message 全角化の指定 | 文字データを全角化しますか？ | YesNoCancel | Question -> No\n" +
                                    itemDialogs + "No\n" + itemDialogs + "Yes\n" +
                                    "save データファイルの書き込み | {D}\\HEADLY.TXT | ﾃｷｽﾄ形式(*.TXT) -> "
                                    "{D}\\HEADLY.TXT\nend\n"));
  EXPECT_TRUE(std::filesystem::exists(s.path("HEADLY.TXT")));
}

TEST(LoadingRun, ClosingTheMainWindowOnForm3Ends) {
  BatchSession s;
  s.writeSjisFile("data.csv", kSales);
  const BatchResult r = s.run(loaded("select LIST1 0\nclose\n"));
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.transcript, loadedTranscript(s, "end\n"));
}

TEST(SampleRun, SalesScriptRunsAWholeSession) {
  BatchSession s;
  std::filesystem::copy_file(std::string(test::kSourceDir) + "/samples/sales.csv", s.path("sales.csv"));
  std::string script;
  {
    std::ifstream in(std::string(test::kSourceDir) + "/samples/sales.script");
    script.assign(std::istreambuf_iterator<char>(in), {});
  }
  const BatchResult r = s.runWith(script, {s.path("sales.csv")});
  EXPECT_EQ(r.exitCode, 0) << r.transcript;
  EXPECT_EQ(r.transcript.substr(r.transcript.size() - 4), "end\n");
  // Every item was classified in item order, so the CSV file is the data file.
  EXPECT_EQ(s.readBytes("SALES.TXT"), csvFile(s.readBytes("sales.csv")));
  const std::string layout = s.readAsUtf8("HEADLY.TXT");
  EXPECT_EQ(layout.substr(0, 8), "東京\r\n");
  EXPECT_EQ(layout.substr(layout.size() - 3), "\r\n\x1A");
  // The bytes that CI expects of the installed example session.
  for (const char* name : {"HEADLY.TXT", "SALES.TXT"}) {
    std::ifstream in(std::string(test::kSourceDir) + "/samples/sales-expected/" + name, std::ios::binary);
    EXPECT_EQ(s.readBytes(name), std::string(std::istreambuf_iterator<char>(in), {})) << name;
  }
}

}  // namespace
}  // namespace headly::test
