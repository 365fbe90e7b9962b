#include "ui/qt/modal_runner.h"

#include <QEvent>
#include <QTimer>

#include "ui/qt/event_watcher.h"
#include "ui/qt/screen_fit.h"

namespace headly {

int ModalRunner::run(QDialog& dialog) {
  if (!answers_.empty()) {
    Answer answer = std::move(answers_.front());
    answers_.pop_front();
    // Runs inside the dialog's own event loop, when the dialog is shown.
    QTimer::singleShot(0, &dialog, [answer = std::move(answer), &dialog] { answer(dialog); });
  }
  // Placed and sized by then; not yet on the screen.
  const EventWatcher shown(&dialog, [&dialog](QObject*, QEvent* event) {
    if (event->type() == QEvent::Show) keepOnScreen(&dialog, classicFrame(false));
    return false;
  });
  return dialog.exec();
}

}  // namespace headly
