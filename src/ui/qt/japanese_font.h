// Fonts of the forms. The program names Windows faces ("ＭＳ Ｐゴシック",
// "ＭＳ ゴシック", "FixedSys"); Qt is asked for the named face first and then
// for installed Japanese faces of the same kind, so that captions show with
// Japanese glyphs wherever the named face is missing. Sizes are character
// heights in pixels, which is what the forms' geometry was laid out for.
#pragma once

#include <QFont>
#include <QString>

namespace headly {

QFont japaneseFont(const QString& face, float size);
// The font of message boxes, the input box and the file dialogs.
QFont dialogFont();

}  // namespace headly
