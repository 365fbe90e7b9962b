// Where the program's Shift-JIS texts meet Qt's strings. Widgets hold UTF-16;
// everything else keeps the bytes.
#pragma once

#include <QList>
#include <QString>
#include <QStringView>

#include "text/sjis_string.h"

namespace headly {

QString toQt(const SjisString& text);
// The Shift-JIS form of a widget's text; characters without one are dropped
// (the edits never let the user type them).
SjisString fromQt(QStringView text);

}  // namespace headly
