// Whole sessions through the headless driver that walk the per-item layout
// dialogs: the indent rules, characters per line, back, the restart after the
// final confirmation, and folder mode.
#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "support/batch_session.h"

namespace headly {
namespace {

using test::BatchResult;
using test::BatchSession;

// 県, 市 and 町 are heading items, 名前 and 電話 the other items. In full
// width the longest values are 4, 2, 2, 8 and 14 bytes.
constexpr char kAddresses[] = "県,市,町,名前,電話\r\n東京,港,芝,ｱｲ,03-1\r\n東京,港,芝,山田太郎,03-2222\r\n";
// 支店 is the heading item, 商品, 数量 and 単価 the other items. Longest
// values: 4, 7, 3, 4 bytes; in full width 4, 10, 6, 8.
constexpr char kSales[] = "支店,商品,数量,単価\r\n東京,ﾎﾞｰﾙﾍﾟﾝ,120,100\r\n大阪,ﾉｰﾄ,80,1500\r\n";
// One heading item and one other item.
constexpr char kPair[] = "支店,商品\r\n東京,ボールペン\r\n";

// Loads data.csv, moves the LIST1 rows headingRows to the heading list and
// then otherRows to the other list, writes no CSV file and answers the
// full-width question.
std::string openAndClassify(const std::string& headingRows, const std::string& otherRows, const std::string& fullWidth,
                            const std::string& formThreeExtra = "") {
  return "cwd @DIR@\nfile data.csv\ninput 500\n"
         "select LIST1 " + headingRows + "\npress BUTTON2\n"
         "select LIST1 " + otherRows + "\npress BUTTON4\n"
         "check CHECK2\n" + formThreeExtra + "press BUTTON6\n" + fullWidth + "\n";
}

// The transcript without the drawing calls, from the first item dialog on.
std::vector<std::string> dialogLines(const std::string& transcript) {
  std::vector<std::string> lines;
  std::istringstream in(transcript);
  bool started = false;
  for (std::string line; std::getline(in, line);) {
    if (line == "clear" || line.rfind("text ", 0) == 0 || line.rfind("box ", 0) == 0) continue;
    started = started || line.rfind("form FORM4", 0) == 0;
    if (started) lines.push_back(line);
  }
  return lines;
}

// The text rows (below the title and the ruler) of the first preview drawn.
std::vector<std::string> firstPreviewRows(const std::string& transcript) {
  std::vector<std::string> rows;
  std::istringstream in(transcript);
  int clears = 0;
  for (std::string line; std::getline(in, line) && clears < 2;) {
    if (line == "clear") ++clears;
    int x = 0, y = 0;
    if (clears == 1 && std::sscanf(line.c_str(), "text %d %d", &x, &y) == 2 && y >= 100) rows.push_back(line);
  }
  return rows;
}

// Every item dialog and every item question comes right after a preview.
void expectPreviewBeforeEachItemStep(const std::string& transcript) {
  std::istringstream in(transcript);
  std::string previous;
  int steps = 0;
  for (std::string line; std::getline(in, line); previous = line) {
    const bool itemStep = line.rfind("form FORM4", 0) == 0 || line.rfind("form FORM2", 0) == 0 ||
                          line.rfind("message 確認してください", 0) == 0;
    if (!itemStep) continue;
    ++steps;
    EXPECT_TRUE(previous.rfind("text ", 0) == 0 || previous.rfind("box ", 0) == 0) << line << " after " << previous;
  }
  EXPECT_GT(steps, 0);
}

std::string question(const std::string& item) {
  return "message 確認してください | 項目「" + item + "」の設定はこれでいいですか？ | YesNo | Question -> Yes";
}
const std::string kFinalYes = "message レイアウト最終確認画面 | 「いいえ」で全てやり直せます | YesNo | Question -> Yes";
const std::string kFinalNo = "message レイアウト最終確認画面 | 「いいえ」で全てやり直せます | YesNo | Question -> No";

TEST(ItemSettingsSession, FullWidthIndentsStepByTwoAndTooSmallOnesComeBack) {
  BatchSession s;
  s.writeSjisFile("data.csv", kAddresses);
  const BatchResult r = s.run(openAndClassify("0 1 2", "0 1", "answer Yes") +
                              "show BUTTON8\npress BUTTON9\nanswer Yes\n"
                              // 市: 3 is taken as 2, the smallest indent allowed.
                              "show EDIT4\nshow BUTTON8\ntype EDIT4 3\npress BUTTON9\nanswer Yes\n"
                              // 町: 3 becomes 2, below the minimum 4: shown again with 4.
                              "show EDIT4\ntype EDIT4 3\npress BUTTON9\nshow EDIT4\npress BUTTON9\nanswer Yes\n"
                              "show EDIT4\npress BUTTON9\nanswer Yes\n"
                              "press BUTTON1\nanswer Yes\nanswer Yes\ncancel\n",
                              /*draw=*/true);
  EXPECT_EQ(r.exitCode, 0) << r.transcript;
  expectPreviewBeforeEachItemStep(r.transcript);
  const std::vector<std::string> expected = {
      "form FORM4 項目「県」の段落数の設定（全角モード）",
      "show BUTTON8 | 戻る | hidden | enabled",
      question("県"),
      "form FORM4 項目「市」の段落数の設定（全角モード）",
      "show EDIT4 | 2",
      "show BUTTON8 | 戻る | visible | enabled",
      question("市"),
      "form FORM4 項目「町」の段落数の設定（全角モード）",
      "show EDIT4 | 4",
      "form FORM4 項目「町」の段落数の設定（全角モード）",
      "show EDIT4 | 4",
      question("町"),
      "form FORM4 項目「名前」の段落数の設定（全角モード）",
      "show EDIT4 | 6",
      question("名前"),
      "form FORM2 項目「電話」の設定",
      question("電話"),
      kFinalYes,
      "save データファイルの書き込み | " + s.internalPath("HEADLY.TXT") + " | ﾃｷｽﾄ形式(*.TXT) -> ESC",
      "end"};
  EXPECT_EQ(dialogLines(r.transcript), expected);
}

TEST(ItemSettingsSession, CharsPerLineDelimitersAndTheJoinChoice) {
  BatchSession s;
  s.writeSjisFile("data.csv", kSales);
  const BatchResult r = s.run(openAndClassify("0", "0 1 2", "answer Yes") +
                              "press BUTTON9\nanswer Yes\n"
                              // 商品: 7 characters a line become 8, so its values wrap.
                              "show EDIT5\nshow TEXT9\ntype EDIT5 7\npress BUTTON7\nshow EDIT5\npress BUTTON9\nanswer Yes\n"
                              // 数量 beside a wrapping item keeps 2 blanks; 3 becomes 4, 7 the longest value 6.
                              "show EDIT1\nshow TEXT4\nshow TEXT11\nshow EDIT6\n"
                              "type EDIT6 3\npress BUTTON11\nshow EDIT6\ntype EDIT6 7\npress BUTTON11\nshow EDIT6\n"
                              // Delimiters are converted and count in the longest value.
                              "type EDIT2 <\ntype EDIT3 >\npress BUTTON11\n"
                              "show EDIT2\nshow EDIT3\nshow TEXT11\nshow EDIT6\nshow RADIO1\n"
                              "radio RADIO1\npress BUTTON1\nanswer Yes\n"
                              // 単価: the radio pair stays as it was left.
                              "show RADIO1\nshow EDIT2\nshow EDIT1\npress BUTTON1\nanswer Yes\nanswer Yes\ncancel\n");
  EXPECT_EQ(r.exitCode, 0) << r.transcript;
  const std::vector<std::string> expected = {
      "form FORM4 項目「支店」の段落数の設定（全角モード）",
      question("支店"),
      "form FORM4 項目「商品」の段落数の設定（全角モード）",
      "show EDIT5 | 10",
      "show TEXT9 | 最大文字数 10字",
      "form FORM4 項目「商品」の段落数の設定（全角モード）",
      "show EDIT5 | 8",
      question("商品"),
      "form FORM2 項目「数量」の設定",
      "show EDIT1 | 2",
      "show TEXT4 | （偶数で）",
      "show TEXT11 | 最大文字数 6字",
      "show EDIT6 | 6",
      "form FORM2 項目「数量」の設定",
      "show EDIT6 | 4",
      "form FORM2 項目「数量」の設定",
      "show EDIT6 | 6",
      "form FORM2 項目「数量」の設定",
      "show EDIT2 | ＜",
      "show EDIT3 | ＞",
      "show TEXT11 | 最大文字数 10字",
      "show EDIT6 | 6",
      "show RADIO1 | unchecked | enabled",
      question("数量"),
      "form FORM2 項目「単価」の設定",
      "show RADIO1 | checked | enabled",
      "show EDIT2 | ",
      "show EDIT1 | 2",
      question("単価"),
      kFinalYes,
      "save データファイルの書き込み | " + s.internalPath("HEADLY.TXT") + " | ﾃｷｽﾄ形式(*.TXT) -> ESC",
      "end"};
  EXPECT_EQ(dialogLines(r.transcript), expected);
}

// Without full-width conversion: back from the first FORM2 item to FORM4,
// back again to item 0, and forward once more.
const std::string kBackToItemZero =
    "show TEXT8\npress BUTTON9\nanswer Yes\n"
    "show EDIT4\ntype EDIT4 3\npress BUTTON9\nanswer Yes\n"
    "show TEXT4\npress BUTTON12\n"
    "show EDIT4\npress BUTTON8\n"
    "show BUTTON8\n";

TEST(ItemSettingsSession, BackFromFormTwoIntoFormFourAndToItemZero) {
  BatchSession s;
  s.writeSjisFile("data.csv", kSales);
  const BatchResult r = s.run(openAndClassify("0", "0 1 2", "answer No") + kBackToItemZero +
                              "press BUTTON9\nanswer Yes\n"
                              "show EDIT4\npress BUTTON9\nanswer Yes\n"
                              // From the second FORM2 item back goes to the first one on FORM2.
                              "press BUTTON1\nanswer Yes\npress BUTTON12\npress BUTTON1\nanswer Yes\n"
                              "press BUTTON1\nanswer Yes\nanswer Yes\ncancel\n");
  EXPECT_EQ(r.exitCode, 0) << r.transcript;
  const std::vector<std::string> expected = {
      "form FORM4 項目「支店」の段落数の設定",
      "show TEXT8 | 字空ける（前の段落数より大きく設定）",
      question("支店"),
      "form FORM4 項目「商品」の段落数の設定",
      "show EDIT4 | 1",
      question("商品"),
      "form FORM2 項目「数量」の設定",
      "show TEXT4 | ",
      // The stored indent is proposed again.
      "form FORM4 項目「商品」の段落数の設定",
      "show EDIT4 | 3",
      "form FORM4 項目「支店」の段落数の設定",
      "show BUTTON8 | 戻る | hidden | enabled",
      question("支店"),
      "form FORM4 項目「商品」の段落数の設定",
      "show EDIT4 | 1",
      question("商品"),
      "form FORM2 項目「数量」の設定",
      question("数量"),
      "form FORM2 項目「単価」の設定",
      "form FORM2 項目「数量」の設定",
      question("数量"),
      "form FORM2 項目「単価」の設定",
      question("単価"),
      kFinalYes,
      "save データファイルの書き込み | " + s.internalPath("HEADLY.TXT") + " | ﾃｷｽﾄ形式(*.TXT) -> ESC",
      "end"};
  EXPECT_EQ(dialogLines(r.transcript), expected);
}

TEST(ItemSettingsSession, HiddenFieldsCannotBeTyped) {
  struct Case {
    std::string steps, hidden;
  };
  const Case cases[] = {
      // Item 0 after coming back to it: its indent field is hidden again.
      {kBackToItemZero + "type EDIT4 5\n", "EDIT4 is hidden"},
      // Without full-width conversion there is no characters-per-line field.
      {"type EDIT5 4\n", "EDIT5 is hidden"},
      {"press BUTTON9\nanswer Yes\npress BUTTON9\nanswer Yes\ntype EDIT6 4\n", "EDIT6 is hidden"},
  };
  for (const Case& c : cases) {
    BatchSession s;
    s.writeSjisFile("data.csv", kSales);
    const BatchResult r = s.run(openAndClassify("0", "0 1 2", "answer No") + c.steps);
    EXPECT_EQ(r.exitCode, 2) << r.transcript;
    EXPECT_NE(r.transcript.find(c.hidden), std::string::npos) << r.transcript;
  }
}

TEST(ItemSettingsSession, NoAtTheFinalConfirmationStartsAgainFromItemZero) {
  BatchSession s;
  s.writeSjisFile("data.csv", kPair);
  const BatchResult r = s.run(openAndClassify("0", "0", "answer Yes") +
                              "press BUTTON9\nanswer Yes\n"
                              "show EDIT4\ntype EDIT4 6\ntype EDIT5 4\npress BUTTON9\nanswer Yes\nanswer No\n"
                              // The indent starts afresh, the characters per line are kept.
                              "show BUTTON8\npress BUTTON9\nanswer Yes\n"
                              "show EDIT4\nshow EDIT5\npress BUTTON9\nanswer Yes\nanswer Yes\ncancel\n");
  EXPECT_EQ(r.exitCode, 0) << r.transcript;
  const std::vector<std::string> expected = {
      "form FORM4 項目「支店」の段落数の設定（全角モード）",
      question("支店"),
      "form FORM4 項目「商品」の段落数の設定（全角モード）",
      "show EDIT4 | 2",
      question("商品"),
      kFinalNo,
      "form FORM4 項目「支店」の段落数の設定（全角モード）",
      "show BUTTON8 | 戻る | hidden | enabled",
      question("支店"),
      "form FORM4 項目「商品」の段落数の設定（全角モード）",
      "show EDIT4 | 2",
      "show EDIT5 | 4",
      question("商品"),
      kFinalYes,
      "save データファイルの書き込み | " + s.internalPath("HEADLY.TXT") + " | ﾃｷｽﾄ形式(*.TXT) -> ESC",
      "end"};
  EXPECT_EQ(dialogLines(r.transcript), expected);
}

TEST(ItemSettingsSession, ConfirmingEveryItemAgainAfterNoWritesTheSameLayout) {
  const std::string firstPass =
      "press BUTTON9\nanswer Yes\ntype EDIT5 6\npress BUTTON9\nanswer Yes\n"
      "press BUTTON1\nanswer Yes\npress BUTTON1\nanswer Yes\n";
  const std::string unchanged =
      "press BUTTON9\nanswer Yes\npress BUTTON9\nanswer Yes\npress BUTTON1\nanswer Yes\npress BUTTON1\nanswer Yes\n";
  BatchSession once, twice;
  once.writeSjisFile("data.csv", kSales);
  twice.writeSjisFile("data.csv", kSales);
  const std::string start = openAndClassify("0", "0 1 2", "answer Yes");
  const BatchResult a = once.run(start + firstPass + "answer Yes\nfile HEADLY.TXT\n");
  const BatchResult b = twice.run(start + firstPass + "answer No\n" + unchanged + "answer Yes\nfile HEADLY.TXT\n");
  ASSERT_EQ(a.exitCode, 0) << a.transcript;
  ASSERT_EQ(b.exitCode, 0) << b.transcript;
  const std::string layout = once.readBytes("HEADLY.TXT");
  EXPECT_GT(layout.size(), 1u);
  EXPECT_EQ(twice.readBytes("HEADLY.TXT"), layout);
}

TEST(ItemSettingsSession, FolderModeAsksOnlyTheFirstBodyItemOnFormFour) {
  BatchSession s;
  s.writeSjisFile("data.csv", kAddresses);
  const BatchResult r = s.run(openAndClassify("0 1 2", "0 1", "answer OK", "check CHECK3\n") +
                                  // The proposal is the last indent entered, 0 at first.
                                  "show EDIT4\ntype EDIT4 4\npress BUTTON9\nanswer Yes\n"
                                  "press BUTTON12\nshow EDIT4\npress BUTTON9\nanswer Yes\n"
                                  "press BUTTON1\nanswer Yes\nanswer Yes\npress BUTTON15\n",
                              /*draw=*/true);
  EXPECT_EQ(r.exitCode, 0) << r.transcript;
  expectPreviewBeforeEachItemStep(r.transcript);
  EXPECT_NE(r.transcript.find("message データの全角化のお知らせメッセージ | 文字データを全て全角化します。 | OK | "
                              "Exclamation -> OK\n"),
            std::string::npos)
      << r.transcript;
  const std::vector<std::string> expected = {
      "form FORM4 項目「名前」の段落数の設定（全角モード）",
      "show EDIT4 | 0",
      question("名前"),
      "form FORM2 項目「電話」の設定",
      "form FORM4 項目「名前」の段落数の設定（全角モード）",
      "show EDIT4 | 4",
      question("名前"),
      "form FORM2 項目「電話」の設定",
      question("電話"),
      kFinalYes,
      "form FORM5 フォルダの作成",
      "end"};
  EXPECT_EQ(dialogLines(r.transcript), expected);

  // The first preview: the headings become folders, the last one the file
  // name; the item being set carries no mark.
  EXPECT_EQ(firstPreviewRows(r.transcript), (std::vector<std::string>{"text 0 100 15 1 1 ****　←県（フォルダ化）",
                                                 "text 0 120 15 1 1 **　←市（フォルダ化）",
                                                 "text 0 140 15 1 1 **　←町（ファイル名化）",
                                                 "text 0 160 15 1 1 ********　←名前"}));
}

TEST(ItemSettingsSession, CancelEndsTheRunWithoutAnyLayoutFile) {
  struct Case {
    std::string answer, steps, lastDialog;
  };
  const Case cases[] = {
      {"answer Cancel", "", "message 全角化の指定 | 文字データを全角化しますか？ | YesNoCancel | Question -> Cancel"},
      {"answer Yes", "press BUTTON9\nanswer Yes\npress BUTTON10\n", "form FORM4 項目「商品」の段落数の設定（全角モード）"},
      {"answer No", "press BUTTON9\nanswer Yes\npress BUTTON9\nanswer Yes\npress BUTTON13\n",
       "form FORM2 項目「数量」の設定"},
  };
  for (const Case& c : cases) {
    BatchSession s;
    s.writeSjisFile("data.csv", kSales);
    const BatchResult r = s.run(openAndClassify("0", "0 1 2", c.answer) + c.steps);
    EXPECT_EQ(r.exitCode, 0) << r.transcript;
    const std::string ending = c.lastDialog + "\nend\n";
    ASSERT_GE(r.transcript.size(), ending.size());
    EXPECT_EQ(r.transcript.substr(r.transcript.size() - ending.size()), ending) << r.transcript;
  }
}

}  // namespace
}  // namespace headly
