// The creation of the base folder by "決定" on FORM5: a name that is taken by
// a folder is offered again with a number, "_[1]", "_[2]", ..., one question
// for every numbered name that is taken as well.
#pragma once

#include "app/app_state.h"

namespace headly {

// Makes the folder name in state.workFolder and leaves its path in
// state.selectedPath. Returns false, making nothing, when the user declines
// a numbered name.
bool makeBaseFolder(Program& program, const SjisString& name);

}  // namespace headly
