// The per-item layout settings on FORM4 and FORM2, and the final
// confirmation.
#pragma once

#include <optional>

#include "app/program.h"
#include "session/layout.h"
#include "session/record_cells.h"

namespace headly {

// Walks every item of cells, the first headingCount of them heading items,
// from the first item again as long as the final confirmation is answered
// No. Every item's width starts as its longest value. Nothing when a dialog
// was cancelled (the program ends).
std::optional<Layout> settleLayout(Ui& ui, Drawing& drawing, const RecordCells& cells, int headingCount);

}  // namespace headly
