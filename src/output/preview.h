// The layout preview on the main window: while the items are being set it
// shows the layout so far, headings as rows of asterisks or white bars with
// their names, body items as coloured bars at their columns. Each call
// clears the window and draws everything again; nothing is kept.
#pragma once

#include "output/drawing.h"
#include "session/layout.h"
#include "session/record_cells.h"

namespace headly {

// Draws items 0..currentItem of cells (their names and options) with the
// settings as they stand; lineWidth must be up to date. Folder mode adds
// the heading marks.
void drawPreview(Drawing& drawing, const RecordCells& cells, const LayoutSettings& settings, int currentItem);

}  // namespace headly
