#include "ui/qt/sjis_line_edit.h"

#include <QApplication>
#include <QPainter>

#include "ui/qt/qt_text.h"
#include "ui/typing.h"

namespace headly {
namespace {

// Full-width digits (U+FF10 to U+FF19) as the half-width digits they stand for.
QString halfWidthDigits(QString text) {
  for (QChar& c : text)
    if (c.unicode() >= 0xFF10 && c.unicode() <= 0xFF19) c = QChar(u'0' + (c.unicode() - 0xFF10));
  return text;
}

}  // namespace

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
  const QString typed = input.mid(prefix, input.size() - prefix - suffix);
  if (!typed.isEmpty()) {
    const QString inserted = limits_.digitsOnly ? halfWidthDigits(typed) : typed;
    const QString head = input.left(prefix);
    const QString tail = input.right(suffix);
    const int room = limits_.maxBytes > 0 ? limits_.maxBytes - int(fromQt(head).size() + fromQt(tail).size()) : 1;
    QString kept;
    if (room > 0) {
      ControlSpec cut = limits_;
      if (limits_.maxBytes > 0) cut.maxBytes = room;
      kept = toQt(typedIntoEdit(cut, fromQt(inserted)));
    }
    if (kept != typed) {
      input = head + kept + tail;
      pos = int(head.size() + kept.size());
    }
    if (kept != inserted && refused_) refused_();
  }
  previous_ = input;
  return Acceptable;
}

SjisLineEdit::SjisLineEdit(int maxBytes, bool digitsOnly, QWidget* parent)
    : QLineEdit(parent), validator_(new SjisLimitValidator(maxBytes, digitsOnly, this)) {
  setValidator(validator_);
  validator_->onRefused([] { QApplication::beep(); });
  if (digitsOnly) setInputMethodHints(Qt::ImhDigitsOnly);
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
