#include "ui/qt/sjis_line_edit.h"

#include <QApplication>
#include <QPainter>

#include "ui/qt/qt_text.h"
#include "ui/typing.h"

namespace headly {

SjisLimitValidator::SjisLimitValidator(const TypingRule& rule, QObject* parent) : QValidator(parent), rule_(rule) {}

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
  const QString typed = input.mid(prefix, input.size() - prefix - suffix);
  if (!typed.isEmpty()) {
    const SjisString typedSjis = fromQt(typed);
    const QString wanted = toQt(typedForm(rule_, typedSjis));
    const QString head = input.left(prefix);
    const QString tail = input.right(suffix);
    const int room = rule_.maxBytes > 0 ? rule_.maxBytes - int(fromQt(head).size() + fromQt(tail).size()) : 1;
    QString kept;
    if (room > 0) {
      TypingRule cut = rule_;
      if (rule_.maxBytes > 0) cut.maxBytes = room;
      kept = toQt(typedInto(cut, typedSjis));
    }
    if (kept != typed) {
      input = head + kept + tail;
      pos = int(head.size() + kept.size());
    }
    // A character without a Shift-JIS form is lost on the way there and back.
    if ((kept != wanted || toQt(typedSjis) != typed) && refused_) refused_();
  }
  previous_ = input;
  return Acceptable;
}

SjisLineEdit::SjisLineEdit(const TypingRule& rule, QWidget* parent)
    : QLineEdit(parent), validator_(new SjisLimitValidator(rule, this)) {
  setValidator(validator_);
  validator_->onRefused([] { QApplication::beep(); });
  if (rule.digitsOnly) setInputMethodHints(Qt::ImhDigitsOnly);
}

void SjisLineEdit::useThinBorder() {
  thinBorder_ = true;
  setFrame(false);
  setTextMargins(1, 0, 1, 0);
}

// The border takes the highlight colour while the field has the focus.
void SjisLineEdit::paintEvent(QPaintEvent* event) {
  QLineEdit::paintEvent(event);
  if (!thinBorder_) return;
  QPainter painter(this);
  painter.setPen(palette().color(hasFocus() ? QPalette::Highlight : QPalette::Dark));
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
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
