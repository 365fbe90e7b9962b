// The creation of the base folder by "決定" on FORM5: a name that is taken by
// a folder is offered again with a number, "_[1]", "_[2]", ..., one question
// for every numbered name that is taken as well.
#pragma once

#include <optional>

#include "app/program.h"
#include "text/sjis_string.h"

namespace headly {

// Makes the folder name in folder and returns its path. Nothing, making
// nothing, when the user declines a numbered name.
std::optional<SjisString> makeBaseFolder(Ui& ui, TextFiles& files, const SjisString& folder, const SjisString& name);

}  // namespace headly
