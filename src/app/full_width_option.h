// The full-width question asked after the classification.
#pragma once

#include <optional>

#include "app/program.h"
#include "session/run_options.h"

namespace headly {

// The options with fullWidth settled: the notice in folder mode, else the
// Yes/No/Cancel question. Nothing when the user cancelled (the program
// ends).
std::optional<RunOptions> askFullWidth(Ui& ui, RunOptions options);

}  // namespace headly
