// An edit field whose limit counts Shift-JIS bytes, as the program's edits
// do: what the user types or pastes is cut to fit (and, in a digits-only
// field, stripped of everything but digits; full-width digits, as an input
// method types them, become half-width ones), while a text the program sets
// is taken whole, even when it is longer than the limit. Whatever typing
// loses (cut, refused, or without a Shift-JIS form) sounds the desktop's beep.
#pragma once

#include <QLineEdit>
#include <QValidator>
#include <functional>

#include "ui/catalogue.h"

namespace headly {

class SjisLimitValidator : public QValidator {
 public:
  SjisLimitValidator(int maxBytes, bool digitsOnly, QObject* parent);
  State validate(QString& input, int& pos) const override;
  // The next validation passes the text as it is (a text set by the program).
  void passNext() { passThrough_ = true; }
  // Called when typing did not go into the field whole.
  void onRefused(std::function<void()> call) { refused_ = std::move(call); }

 private:
  ControlSpec limits_{};  // maxBytes 0: no limit
  std::function<void()> refused_;
  mutable bool passThrough_ = false;
  mutable QString previous_;  // the text as it stood before the change
};

class SjisLineEdit : public QLineEdit {
 public:
  SjisLineEdit(int maxBytes, bool digitsOnly, QWidget* parent);
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
