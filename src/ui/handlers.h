// The event handlers of the forms: every push button stores its number in
// eventCode, the "テスト" button of FORM4 also shows "設定", the check boxes of
// FORM3 keep their dependants consistent, and the stop notification shows its
// message. The folder dialog installs its own handlers (BUTTON14_ON,
// COMBO1_CHANGE, LIST4_CLICK).
#pragma once

namespace headly {

class Ui;

void installHandlers(Ui& ui);

}  // namespace headly
