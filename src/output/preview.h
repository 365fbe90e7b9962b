// The layout preview on the main window: while the items are being set it
// shows the layout so far, headings as rows of asterisks or white bars with
// their names, body items as coloured bars at their columns. Each call
// clears the window and draws everything again; nothing is kept.
#pragma once

#include "output/drawing.h"
#include "session/session_data.h"

namespace headly {

// Draws items 0..currentItem with the settings as they stand; lineWidth
// must be up to date. Folder mode adds the heading marks.
void drawPreview(Drawing& drawing, const SessionData& state, int currentItem);

}  // namespace headly
