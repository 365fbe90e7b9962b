#include "ui/qt/form_style.h"

#include <QPainter>
#include <QStyleOptionGroupBox>

namespace headly {
namespace {

// The circle is drawn a pixel inside its square.
constexpr int kRadioSide = 12;
constexpr int kRadioSpacing = 3;
// The title starts this far from the group's left edge and keeps this much
// of the top line clear on either side.
constexpr int kTitleIndent = 6;
constexpr int kTitleGap = 2;

}  // namespace

int FormStyle::pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const {
  switch (metric) {
    case PM_ExclusiveIndicatorWidth:
    case PM_ExclusiveIndicatorHeight:
      return kRadioSide;
    case PM_RadioButtonLabelSpacing:
      return kRadioSpacing;
    default:
      return QProxyStyle::pixelMetric(metric, option, widget);
  }
}

QRect FormStyle::subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl part,
                                const QWidget* widget) const {
  const auto* group = qstyleoption_cast<const QStyleOptionGroupBox*>(option);
  if (control != CC_GroupBox || !group) return QProxyStyle::subControlRect(control, option, part, widget);
  const QRect all = option->rect;
  const int titleHeight = option->fontMetrics.height();
  const QRect frame = all.adjusted(0, titleHeight / 2, 0, 0);
  switch (part) {
    case SC_GroupBoxFrame:
      return frame;
    case SC_GroupBoxLabel: {
      const int width = std::min(option->fontMetrics.horizontalAdvance(group->text), all.width() - 2 * kTitleIndent);
      return {all.left() + kTitleIndent, all.top(), width, titleHeight};
    }
    case SC_GroupBoxContents:
      return frame.adjusted(2, titleHeight - titleHeight / 2, -2, -2);
    default:
      return QProxyStyle::subControlRect(control, option, part, widget);
  }
}

// An etched frame (a dark line with a light one beside it) broken where the
// title stands on it.
void FormStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                                   const QWidget* widget) const {
  const auto* group = qstyleoption_cast<const QStyleOptionGroupBox*>(option);
  if (control != CC_GroupBox || !group) return QProxyStyle::drawComplexControl(control, option, painter, widget);
  const QRect frame = subControlRect(control, option, SC_GroupBoxFrame, widget);
  const QRect title = subControlRect(control, option, SC_GroupBoxLabel, widget);
  painter->save();
  painter->setClipRegion(QRegion(option->rect) - QRegion(title.adjusted(-kTitleGap, 0, kTitleGap, 0)));
  painter->setPen(option->palette.color(QPalette::Light));
  painter->drawRect(frame.adjusted(1, 1, -1, -1));
  painter->setPen(option->palette.color(QPalette::Dark));
  painter->drawRect(frame.adjusted(0, 0, -2, -2));
  painter->restore();
  if (!group->text.isEmpty())
    drawItemText(painter, title, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextHideMnemonic, option->palette,
                 option->state & State_Enabled, group->text, QPalette::WindowText);
}

}  // namespace headly
