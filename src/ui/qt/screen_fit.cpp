#include "ui/qt/screen_fit.h"

#include <QRect>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace headly {
namespace {

constexpr int kCaption = 19;
constexpr int kFixedBorder = 3;
constexpr int kSizingBorder = 4;

// The frame the window system has put around a shown window.
QMargins shownFrame(const QWidget* window) {
  const QRect outer = window->frameGeometry();
  const QRect inner = window->geometry();
  return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
          outer.bottom() - inner.bottom()};
}

}  // namespace

QMargins classicFrame(bool sizing) {
  const int border = sizing ? kSizingBorder : kFixedBorder;
  return {border, border + kCaption, border, border};
}

void keepOnScreen(QWidget* window, QMargins expectedFrame) {
  const QScreen* screen = window->screen();
  if (!screen) return;
  const QRect area = screen->availableGeometry();
  const QMargins frame = window->isVisible() && window->frameGeometry() != window->geometry() ? shownFrame(window)
                                                                                             : expectedFrame;
  const QSize room = area.size().shrunkBy(frame);
  const QSize size = window->size();
  if (size.width() > room.width() || size.height() > room.height()) {
    const QSize fitting = size.boundedTo(room);
    if (window->minimumSize() == window->maximumSize())
      window->setFixedSize(fitting);
    else
      window->resize(fitting);
  }
  // A window's position is that of its frame.
  const QSize outer = window->size().grownBy(frame);
  const QPoint at(std::clamp(window->x(), area.left(), std::max(area.left(), area.right() + 1 - outer.width())),
                  std::clamp(window->y(), area.top(), std::max(area.top(), area.bottom() + 1 - outer.height())));
  if (at != window->pos()) window->move(at);
}

}  // namespace headly
