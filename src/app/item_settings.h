// The per-item layout settings on FORM4 and FORM2.
#pragma once

#include "app/app_state.h"

namespace headly {

// Creates the layout settings anew (keeping charsPerLine, valueMaxLength and
// itemMaxLength) and walks every item. Returns false when a dialog was
// cancelled (the program ends), true after the last item was confirmed.
bool runItemSettings(Program& program);

// The final confirmation: true for Yes (write), false for No (redo the items).
bool confirmLayout(Program& program);

}  // namespace headly
