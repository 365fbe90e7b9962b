#include "ui/qt/form_window.h"

#include <QAbstractItemView>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QPushButton>

#include "ui/qt/screen_fit.h"

namespace headly {
namespace {

Qt::WindowFlags flagsOf(FrameStyle frame) {
  const Qt::WindowFlags titled = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
  switch (frame) {
    case FrameStyle::Main:
      return titled | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
             Qt::MSWindowsFixedSizeDialogHint;
    case FrameStyle::SizingNoMenu:
      return titled;
    case FrameStyle::DialogNoMenu:
      return titled | Qt::MSWindowsFixedSizeDialogHint;
  }
  return titled;
}

}  // namespace

FormWindow::FormWindow(const FormSpec& entry, QWidget* owner) : QWidget(owner, flagsOf(entry.frame)), entry_(entry) {
  if (entry.frame == FrameStyle::SizingNoMenu)
    resize(designedSize());
  else
    setFixedSize(designedSize());
  move(entry.geometry.x, entry.geometry.y);
  keepOnScreen();
}

QSize FormWindow::designedSize() const {
  const QMargins frame = classicFrame(entry_.frame == FrameStyle::SizingNoMenu);
  return QSize(entry_.geometry.width, entry_.geometry.height).shrunkBy(frame);
}

void FormWindow::keepOnScreen() { headly::keepOnScreen(this, classicFrame(entry_.frame == FrameStyle::SizingNoMenu)); }

void FormWindow::closeEvent(QCloseEvent* event) {
  if (onClose && onClose())
    event->accept();
  else
    event->ignore();
}

// Reached only by keys the focused control left alone: a line edit, a check
// box or an option button passes Enter on.
void FormWindow::keyPressEvent(QKeyEvent* event) {
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  const bool unmodified = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
  if (enter && unmodified && defaultButton_ && defaultButton_->isVisible() && defaultButton_->isEnabled() &&
      !qobject_cast<QAbstractItemView*>(focusWidget())) {
    defaultButton_->click();
    return;
  }
  QWidget::keyPressEvent(event);
}

}  // namespace headly
