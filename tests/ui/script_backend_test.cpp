// The script driver: typing rules, dialog answers, refusals and transcript.
#include <gtest/gtest.h>

#include "support/batch_session.h"
#include "text/encoding.h"
#include "text/error_report.h"
#include "ui/script_fixture.h"

namespace headly {
namespace {

using test::misfitOf;
using test::ScriptedUi;

std::string repeat(const std::string& s, int n) {
  std::string out;
  for (int i = 0; i < n; ++i) out += s;
  return out;
}

// ---- typing -------------------------------------------------------------

TEST(ScriptTyping, DigitFieldsDropOtherCharactersAndKeepTheirLimit) {
  ScriptedUi s(
      "type EDIT1 12345\ntype EDIT6 a9b8c7d6\ntype EDIT4 １２3\ntype EDIT5 \"4 5 6 7\"\npress BUTTON1\n");
  s.ui.setVisible("FORM2", true);
  s.ui.setVisible("FORM4", true);
  s.ui.waitForEvent();
  EXPECT_EQ(s.ui.getText("EDIT1"), "12");
  EXPECT_EQ(s.ui.getText("EDIT6"), "987");
  EXPECT_EQ(s.ui.getText("EDIT4"), "12");  // full-width digits are digits
  EXPECT_EQ(s.ui.getText("EDIT5"), "456");
}

// As an input method types them, and as the windows take them.
TEST(ScriptTyping, FullWidthDigitsBecomeHalfWidthWhereANumberIsTyped) {
  ScriptedUi s("type EDIT4 ４\ntype EDIT5 ７ｘ５\ntype EDIT2 ４\npress BUTTON9\ninput １０００\ninput ５００件\n");
  s.ui.setVisible("FORM2", true);
  s.ui.setVisible("FORM4", true);
  s.ui.waitForEvent();
  EXPECT_EQ(s.ui.getText("EDIT4"), "4");
  EXPECT_EQ(s.ui.getText("EDIT5"), "75");
  EXPECT_EQ(s.ui.getText("EDIT2"), sjis("４"));  // a delimiter is text
  EXPECT_EQ(s.ui.inputBox("t", "p", "500"), "1000");
  EXPECT_EQ(s.ui.inputBox("t", "p", "500"), sjis("500件"));
  EXPECT_EQ(s.lines().at(s.lines().size() - 2), "input t | p | 500 -> 1000");
}

TEST(ScriptTyping, ByteLimitsCutOnCharacterBoundaries) {
  ScriptedUi s("type EDIT2 あいう\ntype EDIT3 aあい\ntype EDIT7 " + ("a" + repeat("あ", 16384)) +
               "\npress BUTTON15\n");
  s.ui.setVisible("FORM2", true);
  s.ui.setVisible("FORM5", true);
  s.ui.waitForEvent();
  EXPECT_EQ(s.ui.getText("EDIT2"), sjis("あい"));
  EXPECT_EQ(s.ui.getText("EDIT3"), sjis("aあ"));
  EXPECT_EQ(s.ui.getText("EDIT7"), sjis("a" + repeat("あ", 16383)));
}

TEST(ScriptTyping, EmptyTypingClearsAndRaisesTheChangeEvent) {
  ScriptedUi s("type EDIT1\npress BUTTON1\n");
  int changes = 0;
  s.ui.setHandler("EDIT1_CHANGE", [&] { ++changes; });
  s.ui.setVisible("FORM2", true);
  s.ui.setText("EDIT1", "99");
  s.ui.waitForEvent();
  EXPECT_EQ(s.ui.getText("EDIT1"), "");
  EXPECT_EQ(changes, 1);
}

TEST(ScriptTyping, TextTheProgramSetsIsNeverCut) {
  ScriptedUi s("");
  s.ui.setText("EDIT4", "100");
  s.ui.setText("EDIT2", sjis("区切り記号"));
  EXPECT_EQ(s.ui.getText("EDIT4"), "100");
  EXPECT_EQ(s.ui.getText("EDIT2"), sjis("区切り記号"));
}

// ---- user actions and their events ---------------------------------------

TEST(ScriptActions, ClicksToggleRowsOfAMultipleSelectionList) {
  ScriptedUi s("select LIST1 0 2\nselect LIST1 0\nshow LIST1\npress BUTTON6\n");
  int clicks = 0;
  s.ui.setHandler("LIST1_CLICK", [&] { ++clicks; });
  s.ui.setVisible("FORM3", true);
  for (const char* row : {"支店", "担当", "商品"}) s.ui.listAdd("LIST1", sjis(row));
  s.out.str("");
  s.ui.waitForEvent();
  EXPECT_FALSE(s.ui.listSelected("LIST1", 0));
  EXPECT_FALSE(s.ui.listSelected("LIST1", 1));
  EXPECT_TRUE(s.ui.listSelected("LIST1", 2));
  EXPECT_EQ(clicks, 3);
  EXPECT_EQ(s.lines(), (std::vector<std::string>{"show LIST1 | 支店 | 担当 | *商品"}));
}

TEST(ScriptActions, ChooseAndClickPickEntriesByTextAndRaiseTheirEvents) {
  ScriptedUi s("choose COMBO1 [-d-]\nclick LIST4 [..]\nclick LIST4\nshow LIST4\npress BUTTON15\n");
  std::vector<std::string> seen;
  s.ui.setHandler("COMBO1_CHANGE", [&] { seen.push_back("combo " + toUtf8(s.ui.getText("COMBO1"))); });
  s.ui.setHandler("LIST4_CLICK", [&] { seen.push_back("list " + std::to_string(s.ui.listIndex("LIST4"))); });
  s.ui.setVisible("FORM5", true);
  for (const char* drive : {"[-c-]", "[-d-]"}) s.ui.listAdd("COMBO1", drive);
  for (const char* folder : {"[data]", "[..]", "[Work]"}) s.ui.listAdd("LIST4", folder);
  s.out.str("");
  EXPECT_EQ(s.ui.waitForEvent(), 15);
  EXPECT_EQ(seen, (std::vector<std::string>{"combo [-d-]", "list 0", "list -1"}));
  EXPECT_EQ(s.lines(), (std::vector<std::string>{"show LIST4 | [..] | [data] | [Work]"}));
}

TEST(ScriptActions, ARadioClickChecksItAndClearsItsPartner) {
  ScriptedUi s("radio RADIO1\nshow RADIO2\npress BUTTON1\n");
  s.ui.setVisible("FORM2", true);
  s.out.str("");
  s.ui.waitForEvent();
  EXPECT_EQ(s.ui.getCheck("RADIO1"), 1);
  EXPECT_EQ(s.lines(), (std::vector<std::string>{"show RADIO2 | unchecked | enabled"}));
}

TEST(ScriptActions, TheProgramsOwnChangesRaiseNoEvents) {
  ScriptedUi s("press BUTTON6\n");
  int events = 0;
  for (const char* handler : {"CHECK1_ON", "LIST1_CLICK", "LIST1_CHANGE", "COMBO1_CHANGE", "EDIT1_CHANGE"})
    s.ui.setHandler(handler, [&] { ++events; });
  s.ui.setVisible("FORM3", true);
  s.ui.setCheck("CHECK1", 0);
  s.ui.listAdd("LIST1", "a");
  s.ui.setListIndex("LIST1", 0);
  s.ui.listClear("LIST1");
  s.ui.listAdd("COMBO1", "[-c-]");
  s.ui.setListIndex("COMBO1", 0);
  s.ui.setText("EDIT1", "1");
  EXPECT_EQ(s.ui.waitForEvent(), 6);
  EXPECT_EQ(events, 0);
}

TEST(ScriptActions, CloseEndsTheNextWait) {
  ScriptedUi s("close\n");
  s.ui.setVisible("FORM3", true);
  EXPECT_THROW(s.ui.waitForEvent(), MainWindowClosed);
}

TEST(ScriptActions, ShowWritesTheStateOfFormsButtonsAndTexts) {
  ScriptedUi s("show FORM4\nshow BUTTON9\nshow TEXT8\nshow EDIT5\npress BUTTON10\n");
  s.ui.setText("FORM4", sjis("項目「支店」の段落数の設定"));
  s.ui.setVisible("FORM4", true);
  s.ui.setEnabled("BUTTON9", false);
  s.out.str("");
  s.ui.waitForEvent();
  EXPECT_EQ(s.lines(), (std::vector<std::string>{
                           "show FORM4 | 項目「支店」の段落数の設定 | visible",
                           "show BUTTON9 | 設定 | visible | disabled",
                           "show TEXT8 | 字空ける（前の段落数より大きく偶数で設定）",
                           "show EDIT5 | 1",
                       }));
}

// ---- refusals in a wait ----------------------------------------------------

TEST(ScriptRefusals, ControlsThatAPersonCouldNotUse) {
  struct Case {
    const char* line;
    const char* complaint;
  };
  const Case cases[] = {
      {"press BUTTON9", "BUTTON9 is hidden"},
      {"check CHECK5", "CHECK5 is disabled"},
      {"press BUTTON1", "BUTTON1 is on FORM2, which is not shown"},
      {"press CHECK1", "CHECK1 cannot be used with press"},
      {"press BUTTON99", "there is no control BUTTON99"},
      {"select LIST1 2", "LIST1 has no row 2 (it has 2)"},
      {"select LIST1 x", "LIST1 has no row x"},
      {"choose LIST1 a", "LIST1 cannot be used with choose"},
      {"answer OK", "no dialog is open"},
      {"hop BUTTON6", "unknown command hop"},
      {"cwd /", "setup lines come before the first answer"},
      {"click LIST1 \"😀\"", "has no Shift-JIS form"},
      {"click LIST1 c", "LIST1 has no entry c"},
      {"press BUTTON6 twice", "wrong number of words for press"},
  };
  for (const Case& c : cases) {
    ScriptedUi s(std::string("# comment\n\n") + c.line + "\n");
    s.ui.setVisible("FORM3", true);
    s.ui.setVisible("FORM4", true);
    s.ui.setVisible("BUTTON9", false);
    s.ui.listAdd("LIST1", "a");
    s.ui.listAdd("LIST1", "b");
    const std::string message = misfitOf([&] { s.ui.waitForEvent(); });
    EXPECT_NE(message.find(std::string("line 3 (") + c.line + "): "), std::string::npos) << message;
    EXPECT_NE(message.find(c.complaint), std::string::npos) << message;
    EXPECT_NE(message.find("a user action on FORM3, FORM4"), std::string::npos) << message;
  }
}

TEST(ScriptRefusals, AScriptThatRunsOutWhileTheProgramWaits) {
  ScriptedUi s("check CHECK2\n");
  s.ui.setVisible("FORM3", true);
  EXPECT_EQ(misfitOf([&] { s.ui.waitForEvent(); }),
            "the script ended while the program waits for a user action on FORM3");
}

// ---- dialogs -----------------------------------------------------------------

TEST(ScriptDialogs, MessageBoxesTakeOneOfTheirButtons) {
  ScriptedUi s("answer No\nanswer OK\nanswer Cancel\nanswer Ignore\n");
  EXPECT_EQ(s.ui.messageBox(sjis("確認"), sjis("本文"), Buttons::YesNo, Icon::Question), kAnswerNo);
  EXPECT_EQ(s.ui.messageBox("", sjis("ドライブの準備ができていません"), Buttons::Ok, Icon::Stop), kAnswerOk);
  EXPECT_EQ(s.ui.messageBox("a", "b", Buttons::YesNoCancel, Icon::Information), kAnswerCancel);
  EXPECT_EQ(s.ui.messageBox("a", "b\r\nc", Buttons::AbortRetryIgnore, Icon::None), kAnswerIgnore);
  EXPECT_EQ(s.lines(), (std::vector<std::string>{
                           "message 確認 | 本文 | YesNo | Question -> No",
                           "message  | ドライブの準備ができていません | OK | Stop -> OK",
                           "message a | b | YesNoCancel | Information -> Cancel",
                           "message a | b / c | AbortRetryIgnore | None -> Ignore",
                       }));
}

TEST(ScriptDialogs, AnswersOfTheWrongKind) {
  EXPECT_NE(misfitOf([] {
              ScriptedUi s("answer Retry\n");
              s.ui.messageBox("a", "b", Buttons::YesNo, Icon::Question);
            }).find("line 1 (answer Retry): the message box has no button Retry; the program asks: message a | b | YesNo"),
            std::string::npos);
  EXPECT_NE(misfitOf([] {
              ScriptedUi s("press BUTTON6\n");
              s.ui.inputBox("t", "p", "500");
            }).find("the input box wants input TEXT, input or cancel; the program asks: input t | p | 500"),
            std::string::npos);
  // A text the input box cannot take names the input box, not a form.
  EXPECT_NE(misfitOf([] {
              ScriptedUi s("input \"😀\"\n");
              s.ui.inputBox("t", "p", "500");
            }).find("has no Shift-JIS form; the program asks: input t | p | 500"),
            std::string::npos);
  EXPECT_NE(misfitOf([] {
              ScriptedUi s("input 500\n");
              s.ui.openFileDialog("t", "C:\\", "");
            }).find("a file dialog wants file PATH or cancel"),
            std::string::npos);
  EXPECT_EQ(misfitOf([] {
              ScriptedUi s("");
              s.ui.messageBox("a", "b", Buttons::OkCancel, Icon::Exclamation);
            }),
            "the script ended while the program asks: message a | b | OKCancel | Exclamation");
}

TEST(ScriptDialogs, InputBoxCutsAt64BytesAndCancels) {
  ScriptedUi s("input " + ("a" + repeat("あ", 40)) + "\ninput\ncancel\n");
  EXPECT_EQ(s.ui.inputBox("t", "p", "500"), sjis("a" + repeat("あ", 31)));
  EXPECT_EQ(s.ui.inputBox("t", "p", "500"), "");
  EXPECT_EQ(s.ui.inputBox(sjis("レコード数の最大域は？"), "p", "500"), kEscMarker);
  EXPECT_EQ(s.lines(), (std::vector<std::string>{"input t | p | 500 -> a" + repeat("あ", 31), "input t | p | 500 -> ",
                                                 "input レコード数の最大域は？ | p | 500 -> ESC"}));
}

TEST(ScriptDialogs, ShowIsReadBeforeADialogsAnswer) {
  ScriptedUi s("show EDIT5\nanswer OK\n");
  s.ui.messageBox("a", "b", Buttons::Ok, Icon::None);
  EXPECT_EQ(s.lines(), (std::vector<std::string>{"show EDIT5 | 1", "message a | b | OK | None -> OK"}));
}

class ScriptFileDialogs : public ::testing::Test {
 protected:
  ScriptFileDialogs() {
    session.writeBytes("data.csv", "a\r\n");
    session.writeBytes("old.txt", "x");
  }
  SjisString folder() const { return *fromUtf8(session.internalPath() + "\\"); }
  std::string internal(const std::string& name) const { return session.internalPath(name); }
  test::BatchSession session;
};

TEST_F(ScriptFileDialogs, OpenTakesAnExistingFileRelativeToTheInitialFolderOrAbsolute) {
  ScriptedUi s("file data.csv\nfile " + session.path("data.csv") + "\ncancel\n");
  const SjisString filter = sjis("ﾃｷｽﾄ形式(*.TXT,*.CSV)");
  EXPECT_EQ(toUtf8(s.ui.openFileDialog("t", folder(), filter)), internal("data.csv"));
  EXPECT_EQ(toUtf8(s.ui.openFileDialog("t", folder(), filter)), internal("data.csv"));
  EXPECT_EQ(s.ui.openFileDialog("t", folder(), filter), kEscMarker);
  const std::string asked = "open t | " + internal("") + "\\ | ﾃｷｽﾄ形式(*.TXT,*.CSV) -> ";
  EXPECT_EQ(s.lines(), (std::vector<std::string>{asked + internal("data.csv"), asked + internal("data.csv"),
                                                 asked + "ESC"}));
}

TEST_F(ScriptFileDialogs, OpenRefusesAMissingFileOrAFolder) {
  for (const std::string& answer : {std::string("missing.csv"), session.dir()}) {
    const std::string message = misfitOf([&] {
      ScriptedUi s("file " + answer + "\n");
      s.ui.openFileDialog("t", folder(), "");
    });
    EXPECT_NE(message.find("not an existing file: "), std::string::npos) << message;
  }
}

TEST_F(ScriptFileDialogs, SaveAsksBeforeReplacingAFile) {
  ScriptedUi s("file old.txt\nanswer No\nfile new.txt\nfile old.txt\nanswer Yes\n");
  EXPECT_EQ(toUtf8(s.ui.saveFileDialog("t", folder() + "*.TXT", "")), internal("new.txt"));
  EXPECT_EQ(toUtf8(s.ui.saveFileDialog("t", folder() + "HEADLY.TXT", "")), internal("old.txt"));
  EXPECT_EQ(s.lines(), (std::vector<std::string>{
                           "overwrite " + internal("old.txt") + " -> No",
                           "save t | " + internal("*.TXT") + " |  -> " + internal("new.txt"),
                           "overwrite " + internal("old.txt") + " -> Yes",
                           "save t | " + internal("HEADLY.TXT") + " |  -> " + internal("old.txt"),
                       }));
}

TEST_F(ScriptFileDialogs, SaveNeedsAnExistingFolder) {
  const std::string message = misfitOf([&] {
    ScriptedUi s("file nowhere/out.txt\n");
    s.ui.saveFileDialog("t", folder(), "");
  });
  EXPECT_NE(message.find("line 1 (file nowhere/out.txt): no such folder"), std::string::npos) << message;
}

TEST_F(ScriptFileDialogs, PathsTheDialogRefusesAreNotedAndTheNextLineIsRead) {
  ScriptedUi s("file \"😀.txt\"\nfile " + repeat("a", 300) + "\nfile *.CSV\nfile a:b\nfile out.txt\n");
  EXPECT_EQ(toUtf8(s.ui.saveFileDialog("t", folder(), sjis("ﾃｷｽﾄ形式(*.TXT)"))), internal("out.txt"));
  EXPECT_EQ(s.lines(), (std::vector<std::string>{
                           "refused 😀.txt (no Shift-JIS form)",
                           "refused " + repeat("a", 300) + " (longer than 259 bytes)",
                           "refused *.CSV (a pattern filters the list, it names no file)",
                           "refused a:b (not a valid file name)",
                           "save t | " + internal("") + "\\ | ﾃｷｽﾄ形式(*.TXT) -> " + internal("out.txt"),
                       }));
}

// ---- transcript --------------------------------------------------------------

TEST(ScriptTranscript, AFormLineEachTimeAFormAppears) {
  ScriptedUi s("");
  s.ui.setVisible("FORM3", true);
  s.ui.setVisible("FORM3", true);
  s.ui.setVisible("FORM3", false);
  s.ui.setText("FORM2", sjis("項目「数量」の設定"));
  s.ui.setTopMost("FORM2", false);  // not on top: nothing happens
  s.ui.setTopMost("FORM2", true);
  s.ui.setTopMost("FORM3", true);
  s.ui.setVisible("BUTTON9", true);
  EXPECT_EQ(s.lines(), (std::vector<std::string>{"form FORM3 項目の分類", "form FORM2 項目「数量」の設定",
                                                 "form FORM3 項目の分類"}));
}

TEST(ScriptTranscript, ErrorReportAndEnd) {
  ScriptedUi s("");
  s.ui.showErrorReport(55);
  s.ui.end();
  s.ui.end();
  const std::vector<SjisString> report = errorReportLines(55);
  ASSERT_EQ(report.size(), 3u);
  EXPECT_EQ(s.lines(), (std::vector<std::string>{"error エラー[55] / " + toUtf8(report[1]) + " / 任意のキーを押してください",
                                                 "end"}));
  EXPECT_TRUE(s.backend.ended());
}

TEST(ScriptTranscript, DrawingOnlyWhenAskedForAndNeverProgress) {
  for (const bool draw : {false, true}) {
    ScriptedUi s("", draw);
    s.ui.showProgress("50%", 50, 100);
    s.ui.clearWindow();
    s.ui.drawText(0, 10, sjis("　＜＜＜ a"), 2, 2, 7);
    s.ui.drawBox(0, 100, 9, 110, 15);
    const std::vector<std::string> expected =
        draw ? std::vector<std::string>{"clear", "text 0 10 7 2 2 　＜＜＜ a", "box 0 100 9 110 15"}
             : std::vector<std::string>{};
    EXPECT_EQ(s.lines(), expected);
  }
}

// ---- script reading ------------------------------------------------------------

TEST(ScriptReading, QuotesBlanksAndComments) {
  ScriptReader reader("# heading\r\n\r\n  type EDIT2 \"a \"\"b\"\" c\"  \"\"\r\n\tpress\tBUTTON1\n");
  ASSERT_FALSE(reader.atEnd());
  const ScriptLine first = reader.take();
  EXPECT_EQ(first.number, 3);
  EXPECT_EQ(first.tokens, (std::vector<std::string>{"type", "EDIT2", "a \"b\" c", ""}));
  const ScriptLine second = reader.take();
  EXPECT_EQ(second.number, 4);
  EXPECT_EQ(second.tokens, (std::vector<std::string>{"press", "BUTTON1"}));
  EXPECT_TRUE(reader.atEnd());
}

TEST(ScriptReading, MalformedQuotes) {
  EXPECT_EQ(misfitOf([] { ScriptReader("press BUTTON1\ninput \"500\n"); }),
            "line 2 (input \"500): a quote is not closed");
  EXPECT_NE(misfitOf([] { ScriptReader("input \"5\"00\n"); }).find("a blank must follow a closing quote"),
            std::string::npos);
}

}  // namespace
}  // namespace headly
