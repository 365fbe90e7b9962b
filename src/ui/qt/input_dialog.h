// The input box: a title, a prompt above one edit field typed by the input
// box's rule (at most 64 bytes, full-width digits made half-width; the
// initial text is shown whole), and the buttons "OK" (also Enter) and
// "ｷｬﾝｾﾙ" (also Esc and the close box). Laid out from the dialog-unit
// template the program has always used.
#pragma once

#include <QDialog>

class QPushButton;

namespace headly {

class SjisLineEdit;

class InputDialog : public QDialog {
 public:
  InputDialog(QWidget* owner, const QString& title, const QString& prompt, const QString& initial);
  QString text() const;
  SjisLineEdit* edit() const { return edit_; }
  QPushButton* okButton() const { return ok_; }
  QPushButton* cancelButton() const { return cancel_; }

 private:
  SjisLineEdit* edit_;
  QPushButton* ok_;
  QPushButton* cancel_;
};

}  // namespace headly
