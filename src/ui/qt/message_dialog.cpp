#include "ui/qt/message_dialog.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>
#include <vector>

#include "ui/qt/qt_text.h"

namespace headly {
namespace {

struct ButtonText {
  int code;
  const char* text;
};

// The buttons of each set, in the order Windows shows them.
std::vector<ButtonText> buttonsOf(Buttons buttons) {
  const ButtonText ok{kAnswerOk, "OK"}, cancel{kAnswerCancel, "キャンセル"}, abort{kAnswerAbort, "中止(&A)"},
      retry{kAnswerRetry, "再試行(&R)"}, ignore{kAnswerIgnore, "無視(&I)"}, yes{kAnswerYes, "はい(&Y)"},
      no{kAnswerNo, "いいえ(&N)"};
  switch (buttons) {
    case Buttons::Ok:
      return {ok};
    case Buttons::OkCancel:
      return {ok, cancel};
    case Buttons::AbortRetryIgnore:
      return {abort, retry, ignore};
    case Buttons::YesNoCancel:
      return {yes, no, cancel};
    case Buttons::YesNo:
      return {yes, no};
    case Buttons::RetryCancel:
      return {retry, cancel};
  }
  return {ok};
}

int escapeAnswerOf(Buttons buttons) {
  switch (buttons) {
    case Buttons::Ok:
      return kAnswerOk;
    case Buttons::OkCancel:
    case Buttons::YesNoCancel:
    case Buttons::RetryCancel:
      return kAnswerCancel;
    case Buttons::AbortRetryIgnore:
    case Buttons::YesNo:
      return -1;
  }
  return -1;
}

// The letter of a button's mnemonic ("はい(&Y)": Y), or 0 for none.
int letterOf(const QAbstractButton* button) {
  const QKeySequence mnemonic = QKeySequence::mnemonic(button->text());
  return mnemonic.isEmpty() ? 0 : int(mnemonic[0].key());
}

QStyle::StandardPixmap pixmapOf(Icon icon) {
  switch (icon) {
    case Icon::Stop:
      return QStyle::SP_MessageBoxCritical;
    case Icon::Question:
      return QStyle::SP_MessageBoxQuestion;
    case Icon::Exclamation:
      return QStyle::SP_MessageBoxWarning;
    case Icon::Information:
    case Icon::None:
      break;
  }
  return QStyle::SP_MessageBoxInformation;
}

}  // namespace

MessageDialog::MessageDialog(QWidget* owner, const QString& caption, const QString& text, Buttons buttons, Icon icon)
    : QDialog(owner), escapeAnswer_(escapeAnswerOf(buttons)) {
  setWindowTitle(caption);
  Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint;
  if (escapeAnswer_ >= 0) flags |= Qt::WindowCloseButtonHint;
  setWindowFlags(flags);

  auto* body = new QHBoxLayout;
  body->setSpacing(16);
  if (icon != Icon::None) {
    auto* picture = new QLabel(this);
    const int side = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    picture->setPixmap(style()->standardIcon(pixmapOf(icon), nullptr, this).pixmap(side, side));
    picture->setAlignment(Qt::AlignTop);
    body->addWidget(picture);
  }
  auto* message = new QLabel(withCharacters(text, font()), this);
  message->setTextFormat(Qt::PlainText);
  message->setTextInteractionFlags(Qt::TextSelectableByMouse);
  body->addWidget(message, 1);

  auto* row = new QHBoxLayout;
  row->addStretch(1);
  bool first = true;
  for (const ButtonText& b : buttonsOf(buttons)) {
    auto* button = new QPushButton(QString::fromUtf8(b.text), this);
    button->setMinimumWidth(80);
    if (first) {
      firstAnswer_ = b.code;
      button->setDefault(true);
      button->setFocus();
      first = false;
    }
    connect(button, &QPushButton::clicked, this, [this, code = b.code] { press(code); });
    buttons_[b.code] = button;
    row->addWidget(button);
  }
  row->addStretch(1);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(20, 16, 20, 12);
  layout->setSpacing(16);
  layout->addLayout(body);
  layout->addLayout(row);
  const QMargins margins = layout->contentsMargins();
  layout->addStrut(captionWidth(caption) - margins.left() - margins.right());
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

// The window manager's title font is not known to the program: room is kept
// for a bold title a quarter larger than the dialog font, beside the title
// bar's icon and buttons.
int MessageDialog::captionWidth(const QString& caption) {
  constexpr int kTitleBarDecoration = 100;
  QFont title = QApplication::font();
  title.setBold(true);
  if (title.pixelSize() > 0)
    title.setPixelSize(title.pixelSize() * 5 / 4);
  else
    title.setPointSizeF(title.pointSizeF() * 5 / 4);
  return QFontMetrics(title).horizontalAdvance(caption) + kTitleBarDecoration;
}

QAbstractButton* MessageDialog::button(int answerCode) const {
  auto it = buttons_.find(answerCode);
  return it == buttons_.end() ? nullptr : it->second;
}

int MessageDialog::answer() const {
  if (answer_ >= 0) return answer_;
  if (escapeAnswer_ >= 0) return escapeAnswer_;
  return buttons_.count(kAnswerNo) ? kAnswerNo : firstAnswer_;
}

void MessageDialog::press(int code) {
  answer_ = code;
  accept();
}

// Esc answers as the close box does; a button's letter (Y, N, A, R, I),
// typed alone, presses that button.
void MessageDialog::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    if (escapeAnswer_ >= 0) press(escapeAnswer_);
    event->accept();
    return;
  }
  if ((event->modifiers() & ~Qt::ShiftModifier) == Qt::NoModifier)
    for (const auto& [code, button] : buttons_)
      if (letterOf(button) == event->key()) {
        button->setFocus();
        press(code);
        event->accept();
        return;
      }
  QDialog::keyPressEvent(event);
}

void MessageDialog::closeEvent(QCloseEvent* event) {
  if (answer_ >= 0) {
    event->accept();
    return;
  }
  if (escapeAnswer_ < 0) {
    event->ignore();
    return;
  }
  answer_ = escapeAnswer_;
  event->accept();
}

}  // namespace headly
