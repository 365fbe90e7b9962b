#include "ui/qt/input_dialog.h"

#include <QLabel>
#include <QPushButton>

#include "ui/qt/sjis_line_edit.h"

namespace headly {
namespace {

// Dialog units of the template in pixels, for the 12-pixel dialog font.
QRect units(int x, int y, int w, int h) {
  auto px = [](int u) { return u * 3 / 2; };
  auto py = [](int u) { return u * 7 / 4; };
  return QRect(px(x), py(y), px(w), py(h));
}

}  // namespace

InputDialog::InputDialog(QWidget* owner, const QString& title, const QString& prompt, const QString& initial)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowCloseButtonHint) {
  setWindowTitle(title);
  const QRect frame = units(103, 48, 190, 60);
  setFixedSize(frame.size());
  if (owner) move(owner->mapToGlobal(frame.topLeft()));

  auto* label = new QLabel(prompt, this);
  label->setTextFormat(Qt::PlainText);
  label->setGeometry(units(8, 8, 174, 8));

  edit_ = new SjisLineEdit(kInputBoxTyping, this);
  edit_->setProgramText(initial);
  edit_->setGeometry(units(8, 21, 174, 10));
  edit_->selectAll();

  ok_ = new QPushButton(QStringLiteral("OK"), this);
  ok_->setGeometry(units(15, 38, 40, 14));
  ok_->setDefault(true);
  cancel_ = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
  cancel_->setGeometry(units(64, 38, 40, 14));
  connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
  edit_->setFocus();
}

QString InputDialog::text() const { return edit_->text(); }

}  // namespace headly
