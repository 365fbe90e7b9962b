// A top-level window of the catalogue. Its client area is the form's outer
// size less a classic Windows frame, so the controls sit where the form
// definition puts them; it opens at the form's place, moved in (or made
// smaller) where that would reach out of the screen. FORM2 to FORM5 have no
// close box and ignore a close from the window manager; the main window
// reports its close through onClose. Enter presses the form's default
// button, unless a push button (which Enter presses itself) or a list has
// the focus.
#pragma once

#include <QWidget>
#include <functional>

#include "ui/catalogue.h"

class QPushButton;

namespace headly {

class FormWindow : public QWidget {
 public:
  FormWindow(const FormSpec& entry, QWidget* owner);
  const FormSpec& entry() const { return entry_; }
  // The client area the form was designed with, also where the screen has
  // made the window smaller.
  QSize designedSize() const;
  void keepOnScreen();
  void setDefaultButton(QPushButton* button) { defaultButton_ = button; }
  // Set for the main window: called when the user closes it; the window
  // stays open when it answers false.
  std::function<bool()> onClose;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  const FormSpec& entry_;
  QPushButton* defaultButton_ = nullptr;
};

}  // namespace headly
