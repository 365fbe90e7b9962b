#include "ui/qt/progress_panel.h"

#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>
#include <algorithm>

namespace headly {
namespace {

constexpr int kWidthPercent = 70;
// QProgressBar counts in int; counts beyond it are shown in thousandths.
constexpr int kBarSteps = 1000;

}  // namespace

ProgressPanel::ProgressPanel(QWidget* body)
    : QFrame(body), text_(new QLabel(this)), bar_(new QProgressBar(this)), note_(new QLabel(this)) {
  setFrameShape(QFrame::StyledPanel);
  setAutoFillBackground(true);
  setBackgroundRole(QPalette::Window);
  text_->setTextFormat(Qt::PlainText);
  note_->setTextFormat(Qt::PlainText);
  note_->hide();
  bar_->setTextVisible(true);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(text_);
  layout->addWidget(bar_);
  layout->addWidget(note_);
  hide();
}

void ProgressPanel::report(const QString& text, int64_t done, int64_t total) {
  text_->setText(text);
  if (total > 0) {
    bar_->setRange(0, kBarSteps);
    bar_->setValue(int(std::clamp<int64_t>(done * kBarSteps / total, 0, kBarSteps)));
  } else {
    bar_->setRange(0, 0);  // busy: the count alone says how far
  }
  paintNow();
}

void ProgressPanel::setNote(const QString& note) {
  note_->setText(note);
  note_->setVisible(!note.isEmpty());
  paintNow();
}

void ProgressPanel::clear() {
  note_->clear();
  note_->hide();
  hide();
}

QString ProgressPanel::text() const { return text_->text(); }
QString ProgressPanel::note() const { return note_->text(); }

// Centred in the body, as wide as a good part of it.
void ProgressPanel::paintNow() {
  const QWidget* body = parentWidget();
  const int width = body->width() * kWidthPercent / 100;
  const int height = sizeHint().height();
  setGeometry((body->width() - width) / 2, (body->height() - height) / 2, width, height);
  QFrame::show();
  raise();
  repaint();
}

}  // namespace headly
