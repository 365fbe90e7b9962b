// An edit field that types by the program's typing rule: its limit counts
// Shift-JIS bytes, full-width digits become half-width ones in a field that
// takes a number, and a digits-only field drops everything but digits. What
// the user types or pastes is changed to fit, while a text the program sets
// is taken whole, even when it is longer than the limit. Whatever typing
// loses (cut, refused, or without a Shift-JIS form) sounds the desktop's beep.
#pragma once

#include <QLineEdit>
#include <QValidator>
#include <functional>

#include "ui/typing.h"

namespace headly {

class SjisLimitValidator : public QValidator {
 public:
  SjisLimitValidator(const TypingRule& rule, QObject* parent);
  State validate(QString& input, int& pos) const override;
  // The next validation passes the text as it is (a text set by the program).
  void passNext() { passThrough_ = true; }
  // Called when typing did not go into the field whole.
  void onRefused(std::function<void()> call) { refused_ = std::move(call); }

 private:
  TypingRule rule_;
  std::function<void()> refused_;
  mutable bool passThrough_ = false;
  mutable QString previous_;  // the text as it stood before the change
};

class SjisLineEdit : public QLineEdit {
 public:
  SjisLineEdit(const TypingRule& rule, QWidget* parent);
  // Sets the text as the program does: never cut, no textEdited signal.
  void setProgramText(const QString& text);
  // A one-pixel border instead of the style's frame, as the forms' edits
  // have, so that a line of text fits into an edit one line high.
  void useThinBorder();
  // Replaces the beep (for tests).
  void onRefused(std::function<void()> call) { validator_->onRefused(std::move(call)); }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  SjisLimitValidator* validator_;
  bool thinBorder_ = false;
};

}  // namespace headly
