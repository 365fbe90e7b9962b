// Runs every modal dialog of the Qt windows (message boxes, the input box,
// the file dialogs and the questions they ask), kept inside the screen when
// they are shown. A test can queue answers:
// each one is called with the next dialog once that dialog is open.
#pragma once

#include <QDialog>
#include <deque>
#include <functional>

namespace headly {

class ModalRunner {
 public:
  using Answer = std::function<void(QDialog&)>;
  void queueAnswer(Answer answer) { answers_.push_back(std::move(answer)); }
  bool hasQueuedAnswers() const { return !answers_.empty(); }
  // Shows the dialog modally and returns QDialog's result code.
  int run(QDialog& dialog);

 private:
  std::deque<Answer> answers_;
};

}  // namespace headly
