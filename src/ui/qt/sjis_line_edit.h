// An edit field whose limit counts Shift-JIS bytes, as the program's edits
// do: what the user types or pastes is cut to fit (and, in a digits-only
// field, stripped of everything but digits), while a text the program sets
// is taken whole, even when it is longer than the limit.
#pragma once

#include <QLineEdit>
#include <QValidator>

#include "ui/catalogue.h"

namespace headly {

class SjisLimitValidator : public QValidator {
 public:
  SjisLimitValidator(int maxBytes, bool digitsOnly, QObject* parent);
  State validate(QString& input, int& pos) const override;
  // The next validation passes the text as it is (a text set by the program).
  void passNext() { passThrough_ = true; }

 private:
  ControlSpec limits_{};  // maxBytes 0: no limit
  mutable bool passThrough_ = false;
  mutable QString previous_;  // the text as it stood before the change
};

class SjisLineEdit : public QLineEdit {
 public:
  SjisLineEdit(int maxBytes, bool digitsOnly, QWidget* parent);
  // Sets the text as the program does: never cut, no textEdited signal.
  void setProgramText(const QString& text);

 private:
  SjisLimitValidator* validator_;
};

}  // namespace headly
