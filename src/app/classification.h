// The classification of the items on FORM3: the user moves items from the
// data's item list (LIST1) to the heading list (LIST2) or the other-item list
// (LIST3) and back, sets the options and presses "終了".
#pragma once

#include "app/app_state.h"

namespace headly {

// Shows FORM3 on top and runs it until "終了"; leaves itemClass, the two
// orders and their counts and the run options set and FORM3 hidden.
void classifyItems(Program& program);

// Rebuilds LIST1 to LIST3 from the classification state (every selection is
// cleared).
void refreshItemLists(Program& program);

// The check after the optional CSV file: layouts need heading items and other
// items. Shows the "強制終了" message and returns false when one kind is
// missing.
bool bothItemKindsPresent(Program& program);

}  // namespace headly
