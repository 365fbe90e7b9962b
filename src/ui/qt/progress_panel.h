// Long work in the main window's body: what is being done with the count of
// records so far, and a bar that fills up when the total is known (without
// one it shows that work goes on). A note can stand below the bar. The panel
// is painted at once on every change, since the work holds the event loop.
#pragma once

#include <QFrame>
#include <cstdint>

class QLabel;
class QProgressBar;

namespace headly {

class ProgressPanel : public QFrame {
 public:
  explicit ProgressPanel(QWidget* body);
  // total: -1 when unknown.
  void report(const QString& text, int64_t done, int64_t total);
  void setNote(const QString& note);
  // Hides the panel and forgets its note.
  void clear();
  const QProgressBar* bar() const { return bar_; }
  QString text() const;
  QString note() const;

 private:
  void paintNow();
  QLabel* text_;
  QProgressBar* bar_;
  QLabel* note_;
};

}  // namespace headly
