#include "ui/qt/tab_order.h"

#include <QWidget>
#include <algorithm>
#include <iterator>

namespace headly {
namespace {

std::vector<QWidget*> readingOrder(std::vector<QWidget*> controls, const QWidget* defaultButton) {
  std::erase_if(controls, [](const QWidget* w) { return !(w->focusPolicy() & Qt::TabFocus); });
  const auto last = std::find(controls.begin(), controls.end(), defaultButton);
  QWidget* lastOne = last == controls.end() ? nullptr : *last;
  if (lastOne) controls.erase(last);
  std::stable_sort(controls.begin(), controls.end(), [](const QWidget* a, const QWidget* b) {
    return a->y() != b->y() ? a->y() < b->y() : a->x() < b->x();
  });
  std::vector<QWidget*> order;
  for (auto band = controls.begin(); band != controls.end();) {
    const int bottom = (*band)->geometry().bottom();
    const auto end = std::find_if(band, controls.end(), [bottom](const QWidget* w) { return w->y() > bottom; });
    std::stable_sort(band, end, [](const QWidget* a, const QWidget* b) {
      return a->x() != b->x() ? a->x() < b->x() : a->y() < b->y();
    });
    std::copy(band, end, std::back_inserter(order));
    band = end;
  }
  if (lastOne) order.push_back(lastOne);
  return order;
}

}  // namespace

void orderTabs(const std::vector<QWidget*>& controls, const QWidget* defaultButton) {
  const std::vector<QWidget*> order = readingOrder(controls, defaultButton);
  for (size_t i = 1; i < order.size(); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
}

}  // namespace headly
