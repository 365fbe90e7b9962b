#include "ui/qt/key_click_list.h"

#include <QKeyEvent>

namespace headly {

std::vector<bool> KeyClickList::selectedRows() const {
  std::vector<bool> rows(static_cast<size_t>(count()));
  for (int row = 0; row < count(); ++row) rows[size_t(row)] = item(row)->isSelected();
  return rows;
}

void KeyClickList::keyPressEvent(QKeyEvent* event) {
  const bool multiple = selectionMode() == QAbstractItemView::MultiSelection;
  const std::vector<bool> before = multiple ? selectedRows() : std::vector<bool>();
  QListWidget::keyPressEvent(event);
  const int key = event->key();
  const bool clickKey =
      !event->isAutoRepeat() && (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space);
  if (clicked_ && (clickKey || (multiple && selectedRows() != before))) clicked_();
}

}  // namespace headly
