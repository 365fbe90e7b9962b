// A whole session done with the keyboard on the real windows, recorded: rows
// toggled with Space in the lists (Home, Space, Down, Space), buttons and
// check boxes pressed with Space where Tab takes the focus, the dialogs
// answered with their letters and Enter, names typed. The recorded script
// replays through the script driver to the same bytes.
#include <QCheckBox>
#include <sstream>

#include "main/batch_run.h"
#include "main/qt_program.h"
#include "qt/qt_fixture.h"
#include "qt/session_person.h"
#include "support/temp_folder.h"
#include "text/encoding.h"

namespace headly::test {
namespace {

// Keys go where the focus is; a control reached with Tab has it.
QWidget* tabTo(QWidget* widget) {
  widget->setFocus(Qt::TabFocusReason);
  return widget;
}

void key(QWidget* target, Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QTest::keyClick(target, k, modifiers);
}

// The first two rows of a list toggled from the keyboard.
void spaceOnFirstTwoRows(Person& person, const std::string& list) {
  person.onForm("FORM3", [&person, list] {
    QWidget* rows = tabTo(person.find<QListWidget>(list));
    key(rows, Qt::Key_Home);
    key(rows, Qt::Key_Space);
    key(rows, Qt::Key_Down);
    key(rows, Qt::Key_Space);
  });
}

void spaceOn(Person& person, const std::string& form, const std::string& control) {
  person.onForm(form, [&person, control] { key(tabTo(person.find<QWidget>(control)), Qt::Key_Space); });
}

void answerByKey(Person& person, Qt::Key k) {
  person.onDialog([k](QDialog& dialog) { key(&dialog, k); });
}

// Enter in the file dialog's name field takes the name there.
void enterFileName(Person& person, const QString& name) {
  person.fileDialog([name](FileDialog& dialog) {
    QLineEdit* field = dialog.nameField();
    key(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(field, name);
    key(field, Qt::Key_Return);
  });
}

void keyboardSession(Person& person) {
  enterFileName(person, QStringLiteral("sales.csv"));
  person.onDialog([](QDialog& dialog) { key(dialog.focusWidget() ? dialog.focusWidget() : &dialog, Qt::Key_Return); });
  spaceOnFirstTwoRows(person, "LIST1");  // 支店, 担当
  spaceOn(person, "FORM3", "BUTTON2");
  spaceOnFirstTwoRows(person, "LIST1");  // 商品, 数量
  spaceOn(person, "FORM3", "BUTTON4");
  spaceOn(person, "FORM3", "CHECK2");  // no CSV file
  spaceOn(person, "FORM3", "BUTTON6");
  answerByKey(person, Qt::Key_Y);  // full width
  for (int item = 0; item < 3; ++item) {
    spaceOn(person, "FORM4", "BUTTON9");
    answerByKey(person, Qt::Key_Y);
  }
  person.onForm("FORM2", [&person] {
    QWidget* blanks = tabTo(person.find<QLineEdit>("EDIT1"));
    key(blanks, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(blanks, QStringLiteral("2"));
  });
  spaceOn(person, "FORM2", "BUTTON1");
  answerByKey(person, Qt::Key_Y);
  answerByKey(person, Qt::Key_Y);  // the final confirmation
  enterFileName(person, QStringLiteral("HEADLY.TXT"));
}

TEST(KeyboardSession, RowsToggledWithSpaceAreRecordedAndTheScriptReplaysToTheSameBytes) {
  testApplication();
  TempFolder windows, batch;
  for (const TempFolder* folder : {&windows, &batch}) folder->write("sales.csv", sample("sales.csv"));
  std::ostringstream recorded;
  {
    const CurrentFolder start(windows.path());
    QtProgram program(&recorded, "month.script");
    Person person(program.backend());
    keyboardSession(person);
    EXPECT_EQ(program.run(), RunResult::Ended);
    EXPECT_TRUE(person.finished()) << "the program ended before the person was done";
  }
  const std::string script = recorded.str();
  EXPECT_NE(script.find("select LIST1 =支店\nselect LIST1 =担当\npress BUTTON2\n"
                        "select LIST1 =商品\nselect LIST1 =数量\npress BUTTON4\ncheck CHECK2\n"),
            std::string::npos)
      << script;

  std::ostringstream transcript;
  ASSERT_EQ(runBatch(script, {batch / "sales.csv"}, transcript, false), 0) << transcript.str() << script;
  EXPECT_EQ(windows.read("HEADLY.TXT").rfind(sjis("東京\r\n　佐藤\r\n"), 0), 0u);
  EXPECT_EQ(batch.read("HEADLY.TXT"), windows.read("HEADLY.TXT"));
}

}  // namespace
}  // namespace headly::test
