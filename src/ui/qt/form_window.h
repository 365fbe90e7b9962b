// A top-level window of the catalogue. Its client area is the form's outer
// size less a classic Windows frame, so the controls sit where the form
// definition puts them. FORM2 to FORM5 have no close box and ignore a close
// from the window manager; the main window reports its close through onClose.
#pragma once

#include <QWidget>
#include <functional>

#include "ui/catalogue.h"

namespace headly {

class FormWindow : public QWidget {
 public:
  FormWindow(const FormSpec& entry, QWidget* owner);
  const FormSpec& entry() const { return entry_; }
  // Set for the main window: called when the user closes it.
  std::function<void()> onClose;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  const FormSpec& entry_;
};

}  // namespace headly
