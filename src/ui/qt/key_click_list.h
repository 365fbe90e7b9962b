// The list box of a list control. A click made with the keyboard (Space or
// Enter on the current row) is told once the list has toggled or selected
// the row, as a mouse click is told on the release, so that whoever reads
// the selection then finds it changed. A key that changes the selection of
// a multiple-selection list otherwise (Ctrl+A) is told as a click as well.
#pragma once

#include <QListWidget>
#include <functional>
#include <vector>

namespace headly {

class KeyClickList : public QListWidget {
 public:
  explicit KeyClickList(QWidget* parent) : QListWidget(parent) {}
  void onKeyClick(std::function<void()> clicked) { clicked_ = std::move(clicked); }

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  std::vector<bool> selectedRows() const;
  std::function<void()> clicked_;
};

}  // namespace headly
