// Edit limits of the real widgets: typing is cut at the Shift-JIS byte limit
// and digits-only fields take digits only (full-width digits as half-width
// ones), while what the program sets is kept whole; whatever typing loses
// sounds the beep.
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QTest>

#include "qt/qt_fixture.h"
#include "text/encoding.h"
#include "ui/qt/sjis_line_edit.h"

namespace headly::test {
namespace {

class QtEdits : public QtWindows {
 protected:
  QLineEdit* shownEdit(const std::string& form, const std::string& name) {
    ui.setVisible(form, true);
    auto* edit = find<SjisLineEdit>(name);
    edit->setFocus();
    edit->onRefused([this] { ++beeps; });
    return edit;
  }
  // What an input method commits into the field.
  static void commit(QLineEdit* edit, const QString& text) {
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(edit, &event);
  }
  int beeps = 0;
};

TEST_F(QtEdits, DigitsOnlyFieldTakesDigitsUpToItsLimit) {
  QLineEdit* edit = shownEdit("FORM4", "EDIT4");
  QTest::keyClicks(edit, "1a23");
  EXPECT_EQ(ui.getText("EDIT4"), "12");
  QTest::keyClick(edit, Qt::Key_Backspace);
  QTest::keyClicks(edit, "x9");
  EXPECT_EQ(ui.getText("EDIT4"), "19");
}

TEST_F(QtEdits, FullWidthDigitsBecomeHalfWidthAsTyped) {
  QLineEdit* edit = shownEdit("FORM4", "EDIT5");
  ui.setText("EDIT5", "");
  commit(edit, QStringLiteral("１２"));
  EXPECT_EQ(ui.getText("EDIT5"), "12");
  commit(edit, QStringLiteral("３"));
  EXPECT_EQ(ui.getText("EDIT5"), "123");
  EXPECT_EQ(edit->text(), QStringLiteral("123"));
  EXPECT_EQ(beeps, 0);
}

TEST_F(QtEdits, RefusedTypingBeeps) {
  QLineEdit* digits = shownEdit("FORM4", "EDIT4");
  QTest::keyClicks(digits, "1");
  EXPECT_EQ(beeps, 0);
  QTest::keyClicks(digits, "a");
  commit(digits, QStringLiteral("あ"));
  EXPECT_EQ(beeps, 2);
  QTest::keyClicks(digits, "23");  // the 3 finds no room
  EXPECT_EQ(ui.getText("EDIT4"), "12");
  EXPECT_EQ(beeps, 3);

  QLineEdit* after = shownEdit("FORM2", "EDIT3");
  beeps = 0;
  after->insert(QStringLiteral("\U0001F600"));
  after->insert(QStringLiteral("\u00e9"));
  EXPECT_EQ(beeps, 2);
  after->insert(QStringLiteral("］"));
  EXPECT_EQ(beeps, 2);
  after->insert(QStringLiteral("］］"));  // only one fits
  EXPECT_EQ(ui.getText("EDIT3"), sjis("］］"));
  EXPECT_EQ(beeps, 3);
  QTest::keyClick(after, Qt::Key_Backspace);
  ui.setText("EDIT3", sjis("長い区切り"));  // the program's text: no beep
  EXPECT_EQ(beeps, 3);
}

TEST_F(QtEdits, TextSetByTheProgramIsNeverCut) {
  QLineEdit* edit = shownEdit("FORM4", "EDIT4");
  ui.setText("EDIT4", "100");
  EXPECT_EQ(ui.getText("EDIT4"), "100");
  EXPECT_EQ(edit->text(), QStringLiteral("100"));
  // Over its limit the field takes no more typing, but lets the user delete.
  edit->end(false);
  QTest::keyClicks(edit, "5");
  EXPECT_EQ(ui.getText("EDIT4"), "100");
  QTest::keyClick(edit, Qt::Key_Backspace);
  EXPECT_EQ(ui.getText("EDIT4"), "10");
  QTest::keyClick(edit, Qt::Key_Backspace);
  QTest::keyClicks(edit, "23");
  EXPECT_EQ(ui.getText("EDIT4"), "12");
}

TEST_F(QtEdits, ByteLimitCountsDoubleByteCharactersAsTwo) {
  QLineEdit* edit = shownEdit("FORM2", "EDIT2");
  edit->insert(QStringLiteral("あいう"));
  EXPECT_EQ(ui.getText("EDIT2"), sjis("あい"));
  edit->clear();
  QTest::keyClicks(edit, "a");
  edit->insert(QStringLiteral("ｱいう"));  // a half-width katakana is one byte
  EXPECT_EQ(ui.getText("EDIT2"), sjis("aｱい"));
  QTest::keyClicks(edit, "b");
  EXPECT_EQ(ui.getText("EDIT2"), sjis("aｱい"));
}

TEST_F(QtEdits, PastedTextIsCutToTheRoomLeft) {
  QLineEdit* edit = shownEdit("FORM4", "EDIT5");
  edit->selectAll();
  edit->insert(QStringLiteral("12345"));
  EXPECT_EQ(ui.getText("EDIT5"), "123");
  edit->setCursorPosition(1);
  edit->insert(QStringLiteral("9"));
  EXPECT_EQ(ui.getText("EDIT5"), "123");
  edit->setSelection(1, 1);
  edit->insert(QStringLiteral("98"));
  EXPECT_EQ(ui.getText("EDIT5"), "193");
  EXPECT_EQ(edit->cursorPosition(), 2);
}

TEST_F(QtEdits, CharactersWithoutShiftJisFormCannotBeTyped) {
  QLineEdit* edit = shownEdit("FORM5", "EDIT7");
  ui.setText("EDIT7", "");
  edit->insert(QStringLiteral("a\u00e9b\U0001F600c"));
  EXPECT_EQ(ui.getText("EDIT7"), "abc");
}

TEST_F(QtEdits, FieldsWithoutALimitOfDigitsTakeAnyText) {
  QLineEdit* edit = shownEdit("FORM5", "EDIT7");
  ui.setText("EDIT7", "");
  QTest::keyClicks(edit, "Data_01");
  edit->insert(QStringLiteral("見出し"));
  EXPECT_EQ(ui.getText("EDIT7"), sjis("Data_01見出し"));
}

}  // namespace
}  // namespace headly::test
