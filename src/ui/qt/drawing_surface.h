// The drawing area of the main window. What the program draws (texts at
// pixel positions, filled boxes) goes into an image that the widget paints
// whenever the window system asks, so the picture stays until it is cleared.
#pragma once

#include <QFont>
#include <QImage>
#include <QString>
#include <QWidget>

namespace headly {

class DrawingSurface : public QWidget {
 public:
  DrawingSurface(QSize size, QWidget* parent);

  // The font of drawn texts: the window's font, sized so that a half-width
  // character is exactly columnWidth pixels wide (the preview's rulers rely
  // on fixed columns).
  void setTextFont(const QFont& font, int columnWidth);
  void clear();
  // Text with its top-left corner at (x, y), each character enlarged by magX
  // and magY, on a transparent background.
  void drawText(int x, int y, const QString& text, int magX, int magY, QRgb colour);
  // A filled box; both corners belong to it.
  void drawBox(int x1, int y1, int x2, int y2, QRgb colour);
  const QImage& image() const { return image_; }
  int lineHeight() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  int baseline() const;
  QImage image_;
  QFont textFont_;
};

}  // namespace headly
