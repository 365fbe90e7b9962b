#include "ui/qt/qt_text.h"

#include "text/encoding.h"

namespace headly {
namespace {

std::optional<SjisString> convert(QStringView text) {
  const QByteArray utf8 = text.toUtf8();
  return fromUtf8(std::string_view(utf8.constData(), size_t(utf8.size())));
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

}  // namespace headly
