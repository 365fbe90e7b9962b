// The full-width question asked after the classification.
#pragma once

#include "app/app_state.h"

namespace headly {

// Settles state.fullWidth: the notice in folder mode, else the Yes/No/Cancel
// question. Returns false when the user cancelled (the program ends).
bool askFullWidth(Program& program);

}  // namespace headly
