#include "ui/qt/sjis_line_edit.h"

#include "ui/qt/qt_text.h"
#include "ui/typing.h"

namespace headly {

SjisLimitValidator::SjisLimitValidator(int maxBytes, bool digitsOnly, QObject* parent) : QValidator(parent) {
  limits_.kind = ControlKind::Edit;
  limits_.maxBytes = maxBytes;
  limits_.digitsOnly = digitsOnly;
}

// Qt validates every change of the text, with the new text. The part that
// differs from the previous text is what was typed, pasted or dropped; only
// that part is filtered and cut, so removing text always works.
QValidator::State SjisLimitValidator::validate(QString& input, int& pos) const {
  if (passThrough_) {
    passThrough_ = false;
    previous_ = input;
    return Acceptable;
  }
  qsizetype prefix = 0;
  const qsizetype common = std::min(input.size(), previous_.size());
  while (prefix < common && input[prefix] == previous_[prefix]) ++prefix;
  qsizetype suffix = 0;
  while (suffix < common - prefix && input[input.size() - 1 - suffix] == previous_[previous_.size() - 1 - suffix])
    ++suffix;
  const QString inserted = input.mid(prefix, input.size() - prefix - suffix);
  if (!inserted.isEmpty()) {
    const QString head = input.left(prefix);
    const QString tail = input.right(suffix);
    const int room = limits_.maxBytes > 0 ? limits_.maxBytes - int(fromQt(head).size() + fromQt(tail).size()) : 1;
    QString kept;
    if (room > 0) {
      ControlSpec cut = limits_;
      if (limits_.maxBytes > 0) cut.maxBytes = room;
      kept = toQt(typedIntoEdit(cut, fromQt(inserted)));
    }
    if (kept != inserted) {
      input = head + kept + tail;
      pos = int(head.size() + kept.size());
    }
  }
  previous_ = input;
  return Acceptable;
}

SjisLineEdit::SjisLineEdit(int maxBytes, bool digitsOnly, QWidget* parent)
    : QLineEdit(parent), validator_(new SjisLimitValidator(maxBytes, digitsOnly, this)) {
  setValidator(validator_);
  if (digitsOnly) setInputMethodHints(Qt::ImhDigitsOnly);
}

void SjisLineEdit::setProgramText(const QString& text) {
  validator_->passNext();
  setText(text);
  // An unchanged text is not validated; the pass must not stay armed.
  QString current = this->text();
  int pos = 0;
  validator_->validate(current, pos);
}

}  // namespace headly
