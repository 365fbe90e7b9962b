// Where the program's Shift-JIS texts meet Qt's strings. Widgets hold UTF-16;
// everything else keeps the bytes.
#pragma once

#include <QList>
#include <QString>
#include <QStringView>

#include "text/sjis_string.h"

class QFont;

namespace headly {

QString toQt(const SjisString& text);
// The Shift-JIS form of a widget's text; characters without one are dropped
// (the edits never let the user type them).
SjisString fromQt(QStringView text);
// The first character of a text that has no Shift-JIS form, or 0.
char32_t firstWithoutShiftJis(QStringView text);
// "U+20BB7": how the program's texts name a character they cannot hold.
QString codePointName(char32_t c);
// Such names shown as the character with its name beside it ("𠮷 U+20BB7")
// where the font can draw it.
QString withCharacters(const QString& text, const QFont& font);

}  // namespace headly
