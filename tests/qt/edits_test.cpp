// Edit limits of the real widgets: typing is cut at the Shift-JIS byte limit
// and digits-only fields take digits only, while what the program sets is
// kept whole.
#include <QLineEdit>
#include <QTest>

#include "qt/qt_fixture.h"
#include "text/encoding.h"

namespace headly::test {
namespace {

class QtEdits : public QtWindows {
 protected:
  QLineEdit* shownEdit(const std::string& form, const std::string& name) {
    ui.setVisible(form, true);
    QLineEdit* edit = find<QLineEdit>(name);
    edit->setFocus();
    return edit;
  }
};

TEST_F(QtEdits, DigitsOnlyFieldTakesDigitsUpToItsLimit) {
  QLineEdit* edit = shownEdit("FORM4", "EDIT4");
  QTest::keyClicks(edit, "1a23");
  EXPECT_EQ(ui.getText("EDIT4"), "12");
  QTest::keyClick(edit, Qt::Key_Backspace);
  QTest::keyClicks(edit, "x9");
  EXPECT_EQ(ui.getText("EDIT4"), "19");
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
