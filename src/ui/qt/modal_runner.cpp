#include "ui/qt/modal_runner.h"

#include <QTimer>

namespace headly {

int ModalRunner::run(QDialog& dialog) {
  if (!answers_.empty()) {
    Answer answer = std::move(answers_.front());
    answers_.pop_front();
    // Runs inside the dialog's own event loop, when the dialog is shown.
    QTimer::singleShot(0, &dialog, [answer = std::move(answer), &dialog] { answer(dialog); });
  }
  return dialog.exec();
}

}  // namespace headly
