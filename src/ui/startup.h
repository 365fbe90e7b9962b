// Start-up before the main sequence: the start-up fonts of the forms and
// controls, and CHECK5 disabled. The windows themselves come from
// Ui::createWindows.
#pragma once

namespace headly {

class Ui;

void startUp(Ui& ui);

}  // namespace headly
