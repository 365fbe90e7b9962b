#include "ui/handlers.h"

#include <string>

#include "ui/form_controls.h"
#include "ui/toolkit.h"

namespace headly {
namespace {

void setButtonCode(Ui& ui, int number) {
  ui.setHandler("BUTTON" + std::to_string(number) + "_ON", [&ui, number] { ui.eventCode = int16_t(number); });
}

void switchOff(Ui& ui, const char* checkBox) {
  ui.setEnabled(checkBox, false);
  ui.setCheck(checkBox, 0);
}

}  // namespace

void installHandlers(Ui& ui) {
  for (int number = 1; number <= 15; ++number)
    if (number != 14) setButtonCode(ui, number);
  ui.setHandler("BUTTON7_ON", [&ui] {
    ui.eventCode = form4::kTest;
    ui.setVisible(form4::kSetButton, true);
  });
  // Folders only with headings, numbering only with folders.
  ui.setHandler("CHECK1_ON", [&ui] {
    if (ui.getCheck(form3::kMakeHeadings) == 1) {
      ui.setEnabled(form3::kFolderMode, true);
    } else {
      switchOff(ui, form3::kFolderMode);
      switchOff(ui, form3::kNumbering);
    }
  });
  ui.setHandler("CHECK3_ON", [&ui] {
    if (ui.getCheck(form3::kFolderMode) == 1)
      ui.setEnabled(form3::kNumbering, true);
    else
      switchOff(ui, form3::kNumbering);
  });
  ui.setHandler("STOP_SUB", [&ui] { ui.messageBox(ui.stopCaption(), ui.stopText(), Buttons::Ok, Icon::Exclamation); });
}

}  // namespace headly
