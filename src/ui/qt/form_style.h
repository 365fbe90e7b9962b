// The look of the forms' radio buttons and group boxes, as the forms were
// laid out for them: a radio circle small enough to leave a caption of five
// characters its room in 80 pixels, and a group box whose title sits on its
// top line (not above it), so that the buttons placed just below the title
// stay clear of it and inside the frame.
#pragma once

#include <QProxyStyle>

namespace headly {

class FormStyle : public QProxyStyle {
 public:
  int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                  const QWidget* widget = nullptr) const override;
  QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl part,
                       const QWidget* widget = nullptr) const override;
  void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                          const QWidget* widget = nullptr) const override;
};

}  // namespace headly
