// The layout preview on the main window: while the items are being set it
// shows the layout so far, headings as rows of asterisks or white bars with
// their names, body items as coloured bars at their columns. Each call
// clears the window and draws everything again; nothing is kept.
#pragma once

#include "app/app_state.h"

namespace headly {

// Draws items 0..currentItem with the settings as they stand; lineWidth
// must be up to date. Folder mode (FORM3 CHECK3) adds the heading marks.
void drawPreview(Ui& ui, const AppState& state, int currentItem);

}  // namespace headly
