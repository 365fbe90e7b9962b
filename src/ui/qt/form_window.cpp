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

FormWindow::FormWindow(const FormSpec& spec, QWidget* owner) : QWidget(owner, flagsOf(spec.frame)), spec_(spec) {
  const int border = spec.frame == FrameStyle::SizingNoMenu ? kSizingBorder : kFixedBorder;
  const QSize client(spec.geometry.width - 2 * border, spec.geometry.height - kCaption - 2 * border);
  if (spec.frame == FrameStyle::SizingNoMenu)
    resize(client);
  else
    setFixedSize(client);
  move(spec.geometry.x, spec.geometry.y);
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
