#include "ui/qt/japanese_font.h"

#include <QStringList>
#include <cmath>

namespace headly {
namespace {

bool isFixedPitch(const QString& face) {
  return face.compare(QStringLiteral("FixedSys"), Qt::CaseInsensitive) == 0 ||
         face == QStringLiteral("ＭＳ ゴシック") || face.compare(QStringLiteral("MS Gothic"), Qt::CaseInsensitive) == 0;
}

QStringList familiesFor(const QString& face) {
  QStringList families{face};
  if (isFixedPitch(face))
    families << QStringLiteral("MS Gothic") << QStringLiteral("IPAGothic") << QStringLiteral("Noto Sans Mono CJK JP")
             << QStringLiteral("VL Gothic") << QStringLiteral("Noto Sans CJK JP");
  else
    families << QStringLiteral("MS PGothic") << QStringLiteral("IPAPGothic") << QStringLiteral("VL PGothic")
             << QStringLiteral("Noto Sans CJK JP") << QStringLiteral("Noto Sans JP");
  return families;
}

}  // namespace

QFont japaneseFont(const QString& face, float size) {
  QFont font;
  font.setFamilies(familiesFor(face));
  font.setStyleHint(isFixedPitch(face) ? QFont::Monospace : QFont::SansSerif);
  font.setFixedPitch(isFixedPitch(face));
  font.setPixelSize(std::max(1, int(std::lround(size))));
  return font;
}

QFont dialogFont() { return japaneseFont(QStringLiteral("ＭＳ Ｐゴシック"), 12); }

}  // namespace headly
