#include "app/data_encoding.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <optional>

#include "text/byte_search.h"
#include "text/encoding.h"
#include "system/file_encoding.h"
#include "text/numbers.h"
#include "ui/toolkit.h"

namespace headly {

namespace {

constexpr char kCaption[] = "データファイルの読み込み";

struct Found {
  const char* name;  // as the question names it
  UnicodeForm form;
  size_t bomLength;
};

Found foundOf(DataEncoding encoding) {
  switch (encoding) {
    case DataEncoding::Utf8WithBom:
      return {"UTF-8（BOM付き）", UnicodeForm::Utf8, 3};
    case DataEncoding::Utf16Le:
      return {"UTF-16", UnicodeForm::Utf16Le, 2};
    case DataEncoding::Utf16Be:
      return {"UTF-16", UnicodeForm::Utf16Be, 2};
    default:
      return {"UTF-8", UnicodeForm::Utf8, 0};
  }
}

// Line (from 1) and item (from 1) of the first 〓 in the converted text,
// as the lines will be read and the field parser cuts them: commas inside
// double quotes belong to the field. Found as the text goes by, for both
// line ends, since which one the lines end in is known only at its end; and
// what the text is made of otherwise: its size and line ends.
struct Place {
  uint64_t line = 1, item = 1;
  bool quoted = false;
  // Goes past bytes: the lines they end are counted, only the last one's
  // items.
  void pass(std::string_view bytes, char lineEnd) {
    const size_t lastEnd = bytes.rfind(lineEnd);
    if (lastEnd != std::string_view::npos) {
      line += countByte(bytes.substr(0, lastEnd + 1), lineEnd);
      item = 1;
      quoted = false;
      bytes.remove_prefix(lastEnd + 1);
    }
    for (const char c : bytes) {
      if (c == '"') quoted = !quoted;
      if (c == ',' && !quoted) ++item;
    }
  }
};
struct ConvertedLook {
  Place atCr, atLf;
  uint64_t size = 0;
  bool sawCr = false, sawLf = false;
  ReplacedCharacters replaced;

  void take(std::string_view piece, const ReplacedCharacters& replacedSoFar) {
    replaced = replacedSoFar;
    const uint64_t placed = replaced.count > 0 ? std::clamp(replaced.firstAt, size, size + piece.size()) : size + piece.size();
    atCr.pass(piece.substr(0, placed - size), '\r');
    atLf.pass(piece.substr(0, placed - size), '\n');
    sawCr = sawCr || piece.find('\r') != std::string_view::npos;
    sawLf = sawLf || piece.find('\n') != std::string_view::npos;
    size += piece.size();
  }
  bool lfOnly() const { return !sawCr && sawLf; }
};

// "U+20BB7": the character has no Shift-JIS form to show it with.
SjisString codePointText(char32_t code) {
  char text[16];
  std::snprintf(text, sizeof text, "U+%04X", unsigned(code));
  return text;
}

void reportReplaced(Ui& ui, const ConvertedLook& look) {
  const Place& place = look.lfOnly() ? look.atLf : look.atCr;
  ui.messageBox(sjis(kCaption),
                sjis("Shift-JISにない文字 ") + countText(int64_t(look.replaced.count)) +
                    sjis(" 個を〓に置き換えました（最初：") + countText(int64_t(place.line)) + sjis("行目 ") +
                    countText(int64_t(place.item)) + sjis("項目「") + codePointText(look.replaced.firstCode) + sjis("」）"),
                Buttons::Ok, Icon::Information);
}

}  // namespace

std::optional<InputForm> settleDataEncoding(Ui& ui, TextFiles& files, const SjisString& path) {
  InputForm form;
  const EncodingScan scan = scanFile(files, path);
  form.lfLineEnds = scan.lfOnly();
  if (scan.encoding() == DataEncoding::ShiftJis) return form;

  const Found found = foundOf(scan.encoding());
  const int answer = ui.messageBox(
      sjis(kCaption), sjis("このファイルは") + sjis(found.name) + sjis("です。Shift-JISに変換して読み込みますか？"),
      Buttons::YesNoCancel, Icon::Question);
  if (answer == kAnswerCancel) return std::nullopt;
  if (answer != kAnswerYes && found.bomLength == 0) return form;  // read as Shift-JIS as it stands

  // The BOM is no part of the first item name, even when the bytes are read
  // as they stand.
  form.skipped = found.bomLength;
  if (answer != kAnswerYes) return form;
  form.convertedFrom = found.form;
  // UTF-8 whose every character Shift-JIS has is measured by the look
  // already; anything else is converted once to see what the text becomes.
  if (const std::optional<uint64_t> size = found.form == UnicodeForm::Utf8 ? scan.shiftJisSize() : std::nullopt) {
    form.convertedSize = *size;
    return form;
  }
  ConvertedLook look;
  readConverted(files, path, form,
                [&look](std::string_view piece, const ReplacedCharacters& replaced) { look.take(piece, replaced); });
  form.convertedSize = look.size;
  form.lfLineEnds = look.lfOnly();
  if (look.replaced.count > 0) reportReplaced(ui, look);
  return form;
}

}  // namespace headly
