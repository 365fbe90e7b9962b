// The message box: a caption, a text, one of the six button sets and one of
// the five icons; the answer is the program's answer code. As on Windows,
// Esc and the close box answer Cancel (or OK in a box with OK alone) and do
// nothing in the Yes/No and Abort/Retry/Ignore boxes. A button's letter
// answers as the button does, and Enter presses the focused button. The box
// is at least as wide as its caption needs in the title bar. A character
// the text names by its code ("U+20BB7") is shown beside the code.
#pragma once

#include <QDialog>
#include <QString>
#include <map>

#include "ui/dialog_codes.h"

class QAbstractButton;

namespace headly {

class MessageDialog : public QDialog {
 public:
  MessageDialog(QWidget* owner, const QString& caption, const QString& text, Buttons buttons, Icon icon);
  // The answer code of the button pressed. A box that was shut some other way
  // (only the window system can do that) answers as Esc would, or No, or with
  // its first button.
  int answer() const;
  // The button of an answer code, for tests; nullptr when the box lacks it.
  QAbstractButton* button(int answerCode) const;
  // The width of a box whose title bar shows the whole caption.
  static int captionWidth(const QString& caption);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void press(int code);
  std::map<int, QAbstractButton*> buttons_;
  int escapeAnswer_ = -1;  // -1: Esc and the close box do nothing
  int answer_ = -1;
  int firstAnswer_ = -1;
};

}  // namespace headly
