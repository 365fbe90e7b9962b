// The keyboard on the forms: Enter presses the push button that has the
// focus, and a form that is shown puts the focus on its first input field in
// creation order, with the field's text selected, also when it comes back.
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

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

}  // namespace
}  // namespace headly::test
