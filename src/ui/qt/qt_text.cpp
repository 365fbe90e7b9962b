#include "ui/qt/qt_text.h"

#include <QGlyphRun>
#include <QRegularExpression>
#include <QTextLayout>

#include "text/encoding.h"

namespace headly {
namespace {

std::optional<SjisString> convert(QStringView text) {
  const QByteArray utf8 = text.toUtf8();
  return fromUtf8(std::string_view(utf8.constData(), size_t(utf8.size())));
}

// Whether the font, or a font Qt falls back to, has a glyph for the text.
bool drawable(const QString& text, const QFont& font) {
  QTextLayout layout(text, font);
  layout.beginLayout();
  layout.createLine();
  layout.endLayout();
  const QList<QGlyphRun> runs = layout.glyphRuns();
  if (runs.isEmpty()) return false;
  for (const QGlyphRun& run : runs)
    for (quint32 glyph : run.glyphIndexes())
      if (glyph == 0) return false;
  return true;
}

}  // namespace

QString toQt(const SjisString& text) { return QString::fromStdString(toUtf8(text)); }

SjisString fromQt(QStringView text) {
  if (std::optional<SjisString> whole = convert(text)) return *whole;
  SjisString out;
  for (char32_t c : text.toUcs4())
    if (std::optional<SjisString> one = convert(QString::fromUcs4(&c, 1))) out += *one;
  return out;
}

char32_t firstWithoutShiftJis(QStringView text) {
  if (convert(text)) return 0;
  for (char32_t c : text.toUcs4())
    if (!convert(QString::fromUcs4(&c, 1))) return c;
  return 0;
}

QString codePointName(char32_t c) {
  return QStringLiteral("U+%1").arg(uint(c), 4, 16, QLatin1Char('0')).toUpper();
}

QString withCharacters(const QString& text, const QFont& font) {
  static const QRegularExpression name(QStringLiteral("\\bU\\+([0-9A-F]{4,6})\\b"));
  QString shown;
  qsizetype from = 0;
  for (const QRegularExpressionMatch& match : name.globalMatch(text)) {
    const auto c = char32_t(match.captured(1).toUInt(nullptr, 16));
    const QString character = QString::fromUcs4(&c, 1);
    shown += text.mid(from, match.capturedStart() - from);
    // A code that names a Shift-JIS character is text, not a name.
    const bool surrogate = c >= 0xD800 && c <= 0xDFFF;
    if (c <= 0x10FFFF && !surrogate && !convert(character) && drawable(character, font))
      shown += character + QLatin1Char(' ');
    shown += match.captured();
    from = match.capturedEnd();
  }
  return shown + text.mid(from);
}

}  // namespace headly
