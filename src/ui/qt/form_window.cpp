#include "ui/qt/form_window.h"

#include <QCloseEvent>

namespace headly {
namespace {

// The frame of a classic Windows window: caption height and border width.
constexpr int kCaption = 19;
constexpr int kFixedBorder = 3;
constexpr int kSizingBorder = 4;

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
  const int border = entry.frame == FrameStyle::SizingNoMenu ? kSizingBorder : kFixedBorder;
  const QSize client(entry.geometry.width - 2 * border, entry.geometry.height - kCaption - 2 * border);
  if (entry.frame == FrameStyle::SizingNoMenu)
    resize(client);
  else
    setFixedSize(client);
  move(entry.geometry.x, entry.geometry.y);
}

void FormWindow::closeEvent(QCloseEvent* event) {
  if (!onClose) {
    event->ignore();
    return;
  }
  onClose();
  event->accept();
}

}  // namespace headly
