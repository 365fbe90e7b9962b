// The classification of the items on FORM3: the user moves items from the
// data's item list (LIST1) to the heading list (LIST2) or the other-item list
// (LIST3) and back, sets the options and presses "終了".
#pragma once

#include "app/program.h"
#include "session/classification.h"
#include "session/item_names.h"

namespace headly {

// Shows FORM3 on top and runs it until "終了"; returns the two orders and
// the run options as they stand then, and leaves FORM3 hidden.
Classification classifyItems(Ui& ui, const ItemNames& names);

// The check after the optional CSV file: layouts need heading items and other
// items. Shows the "強制終了" message and returns false when one kind is
// missing.
bool bothItemKindsPresent(Ui& ui, const Classification& classification);

}  // namespace headly
