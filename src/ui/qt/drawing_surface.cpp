#include "ui/qt/drawing_surface.h"

#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>

namespace headly {

namespace {
const QColor kBackground(0, 0, 0);
}

DrawingSurface::DrawingSurface(QSize size, QWidget* parent) : QWidget(parent), image_(size, QImage::Format_RGB32) {
  image_.fill(kBackground);
  resize(size);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::StrongFocus);
}

void DrawingSurface::setTextFont(const QFont& font, int columnWidth) {
  textFont_ = font;
  // Text is drawn in the palette's colours alone, as a character cell font
  // draws it, without shades of antialiasing.
  textFont_.setStyleStrategy(QFont::NoAntialias);
  // Fixed-pitch Japanese faces make a half-width character half an em wide;
  // the pixel size is chosen from the measured advance so that any face fits.
  const int advance = QFontMetrics(textFont_).horizontalAdvance(QLatin1Char('0'));
  if (advance > 0 && advance != columnWidth && textFont_.pixelSize() > 0)
    textFont_.setPixelSize(std::max(1, textFont_.pixelSize() * columnWidth / advance));
}

int DrawingSurface::lineHeight() const { return QFontMetrics(textFont_).height(); }

// Japanese faces set their glyphs in an em box whose top is seven eighths of
// the size above the baseline; their ascent adds room above that, which a
// character cell such as FixedSys's does not have. Text starts at the box.
int DrawingSurface::baseline() const {
  const int ascent = QFontMetrics(textFont_).ascent();
  return textFont_.pixelSize() > 0 ? std::min(ascent, textFont_.pixelSize() * 7 / 8) : ascent;
}

void DrawingSurface::clear() {
  image_.fill(kBackground);
  update();
}

void DrawingSurface::drawText(int x, int y, const QString& text, int magX, int magY, QRgb colour) {
  QPainter painter(&image_);
  painter.setFont(textFont_);
  painter.setPen(QColor(colour));
  painter.translate(x, y);
  painter.scale(std::max(1, magX), std::max(1, magY));
  painter.drawText(0, baseline(), text);
  update();
}

void DrawingSurface::drawBox(int x1, int y1, int x2, int y2, QRgb colour) {
  QPainter painter(&image_);
  painter.fillRect(QRect(QPoint(std::min(x1, x2), std::min(y1, y2)), QPoint(std::max(x1, x2), std::max(y1, y2))),
                   QColor(colour));
  update();
}

void DrawingSurface::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.drawImage(event->rect(), image_, event->rect());
}

void DrawingSurface::resizeEvent(QResizeEvent*) {
  if (image_.width() >= width() && image_.height() >= height()) return;
  QImage grown(size().expandedTo(image_.size()), QImage::Format_RGB32);
  grown.fill(kBackground);
  QPainter(&grown).drawImage(0, 0, image_);
  image_ = grown;
}

}  // namespace headly
