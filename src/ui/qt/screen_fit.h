// Keeps a top-level window inside the available area of its screen, at any
// scale: the window is moved in where its frame would reach out, and made
// smaller where it is larger than the area (a fixed size shrinks with it).
// Until the window system has framed the window, its frame is taken as the
// expected one.
#pragma once

#include <QMargins>

class QWidget;

namespace headly {

// The frame of a classic Windows window: caption and borders.
QMargins classicFrame(bool sizing);

void keepOnScreen(QWidget* window, QMargins expectedFrame);

}  // namespace headly
