// The keyboard on the forms: Enter presses the push button that has the
// focus, and elsewhere (but in a list) the form's default button; Tab goes
// through a form as a person reads it, the default button last; and a form
// that is shown puts the focus on its first input field, with the field's
// text selected, also when it comes back.
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <map>
#include <tuple>
#include <vector>

#include "qt/qt_fixture.h"

namespace headly::test {
namespace {

class QtKeyboard : public QtWindows {
 protected:
  QWidget* focusOf(const std::string& form) { return backend.widget(form)->focusWidget(); }
};

TEST_F(QtKeyboard, EnterOnAFocusedButtonPressesIt) {
  ui.setVisible("FORM4", true);
  QPushButton* set = find<QPushButton>("BUTTON9");
  set->setFocus();
  QTest::keyClick(set, Qt::Key_Return);
  EXPECT_EQ(ui.waitForEvent(), 9);
  ui.setVisible("FORM4", false);

  ui.setVisible("FORM2", true);
  QPushButton* back = find<QPushButton>("BUTTON12");
  back->setFocus();
  QTest::keyClick(back, Qt::Key_Enter);
  EXPECT_EQ(ui.waitForEvent(), 12);
}

TEST_F(QtKeyboard, ShownFormFocusesItsFirstInputField) {
  const std::pair<const char*, const char*> firstFields[] = {
      {"FORM2", "EDIT1"}, {"FORM3", "LIST1"}, {"FORM4", "EDIT4"}, {"FORM5", "COMBO1"}};
  for (const auto& [form, field] : firstFields) {
    ui.setVisible(form, true);
    EXPECT_EQ(focusOf(form), backend.widget(field)) << form;
    ui.setVisible(form, false);
  }
}

TEST_F(QtKeyboard, Form4ComingBackFocusesTheIndentWithItsTextSelected) {
  ui.setText("EDIT4", "2");
  ui.setVisible("FORM4", true);
  QTest::mouseClick(find<QPushButton>("BUTTON9"), Qt::LeftButton);
  EXPECT_EQ(ui.waitForEvent(), 9);
  ui.setVisible("FORM4", false);
  ui.setText("EDIT4", "4");
  ui.setVisible("FORM4", true);
  ASSERT_EQ(focusOf("FORM4"), backend.widget("EDIT4"));
  EXPECT_EQ(find<QLineEdit>("EDIT4")->selectedText(), QStringLiteral("4"));
}

TEST_F(QtKeyboard, HiddenOrDisabledFieldsAreSkipped) {
  // The first item of a run without full-width conversion: no indent and no
  // characters per line to type, so the first button takes the focus.
  ui.setVisible("EDIT4", false);
  ui.setVisible("EDIT5", false);
  ui.setVisible("FORM4", true);
  EXPECT_EQ(focusOf("FORM4"), backend.widget("BUTTON7"));
  ui.setVisible("FORM4", false);
  ui.setVisible("EDIT5", true);
  ui.setVisible("FORM4", true);
  EXPECT_EQ(focusOf("FORM4"), backend.widget("EDIT5"));
  ui.setVisible("FORM4", false);

  ui.setEnabled("COMBO1", false);
  ui.setVisible("FORM5", true);
  EXPECT_EQ(focusOf("FORM5"), backend.widget("LIST4"));
}

TEST_F(QtKeyboard, EnterInAFieldPressesTheDefaultButton) {
  const std::tuple<const char*, const char*, int> cases[] = {
      {"FORM4", "EDIT4", 9}, {"FORM4", "EDIT5", 9}, {"FORM2", "EDIT1", 1}, {"FORM2", "EDIT6", 1},
      {"FORM3", "CHECK1", 6}, {"FORM3", "CHECK2", 6}};
  for (const auto& [form, field, code] : cases) {
    ui.setVisible(form, true);
    QWidget* widget = backend.widget(field);
    widget->setFocus();
    QTest::keyClick(widget, Qt::Key_Return);
    EXPECT_EQ(ui.waitForEvent(), code) << field;
    QTest::keyClick(widget, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(ui.waitForEvent(), code) << field << " (keypad)";
    ui.setVisible(form, false);
  }
  for (const char* button : {"BUTTON1", "BUTTON6", "BUTTON9"}) EXPECT_TRUE(find<QPushButton>(button)->isDefault());
}

TEST_F(QtKeyboard, EnterInAListIsTheListsOwn) {
  ui.listAdd("LIST1", "a");
  ui.setVisible("FORM3", true);
  QSignalSpy finish(find<QPushButton>("BUTTON6"), &QPushButton::clicked);
  QWidget* list = backend.widget("LIST1");
  list->setFocus();
  QTest::keyClick(list, Qt::Key_Return);
  EXPECT_EQ(finish.count(), 0);
  // Nor does a disabled default button answer.
  ui.setEnabled("BUTTON9", false);
  ui.setVisible("FORM4", true);
  QSignalSpy set(find<QPushButton>("BUTTON9"), &QPushButton::clicked);
  QTest::keyClick(backend.widget("EDIT4"), Qt::Key_Return);
  EXPECT_EQ(set.count(), 0);
}

TEST_F(QtKeyboard, TabGoesThroughAFormAsItIsRead) {
  const std::map<std::string, std::vector<std::string>> orders = {
      {"FORM2",
       {"RADIO2", "RADIO1", "EDIT1", "EDIT2", "EDIT3", "EDIT6", "BUTTON11", "BUTTON13", "BUTTON12", "BUTTON1"}},
      {"FORM3",
       {"LIST1", "BUTTON2", "BUTTON3", "BUTTON4", "BUTTON5", "LIST2", "LIST3", "CHECK1", "CHECK3", "CHECK2", "CHECK5",
        "BUTTON6"}},
      {"FORM4", {"EDIT4", "EDIT5", "BUTTON7", "BUTTON10", "BUTTON8", "BUTTON9"}},
      {"FORM5", {"COMBO1", "CHECK4", "LIST4", "EDIT7", "BUTTON14", "BUTTON15"}}};
  ui.setEnabled("CHECK5", true);  // numbering, off until folders are chosen
  for (const auto& [form, expected] : orders) {
    ui.setVisible(form, true);
    QWidget* window = backend.widget(form);
    backend.widget(expected.front())->setFocus();
    std::vector<std::string> visited;
    for (size_t i = 0; i < expected.size(); ++i) {
      visited.push_back(window->focusWidget()->objectName().toStdString());
      QTest::keyClick(window->focusWidget(), Qt::Key_Tab);
    }
    EXPECT_EQ(visited, expected) << form;
    EXPECT_EQ(window->focusWidget(), backend.widget(expected.front())) << form << ": Tab comes round";
    ui.setVisible(form, false);
  }
}

}  // namespace
}  // namespace headly::test
