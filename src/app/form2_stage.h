// The FORM2 stage of the item settings: blanks, delimiters, the join with
// the previous item and, in full-width mode, the characters per line of
// every body item after the first.
#pragma once

#include "app/item_dialog.h"

namespace headly {

enum class Form2Exit {
  Cancelled,    // the user cancelled: the program ends
  Complete,     // the last item was confirmed
  BackToForm4,  // back from the first FORM2 item: the first body item again
};

// Walks the items from the walk's current item (firstBodyItem + 1) to the last.
Form2Exit runForm2Stage(ItemWalk& walk);

}  // namespace headly
