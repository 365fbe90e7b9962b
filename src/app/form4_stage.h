// The FORM4 stage of the item settings: the indent (and, in full-width mode,
// the characters per line) of every heading item and of the first body
// item. In folder mode only the first body item is asked.
#pragma once

#include "app/item_dialog.h"

namespace headly {

// Walks the items from the walk's current item up to the first body item
// (headingCount). Returns false when the user cancelled, true when the
// first body item was confirmed; the current item is then headingCount.
bool runForm4Stage(ItemWalk& walk);

}  // namespace headly
