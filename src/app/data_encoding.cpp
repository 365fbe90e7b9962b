#include "app/data_encoding.h"

#include <cstdio>
#include <memory>

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

// Line (from 1) and item (from 1) of a byte offset in the converted text, as
// the lines will be read and the field parser cuts them: commas inside
// double quotes belong to the field.
struct Place {
  size_t line = 1, item = 1;
};
Place placeOf(std::string_view text, size_t offset, bool lfLineEnds) {
  const char lineEnd = lfLineEnds ? '\n' : '\r';
  Place place;
  bool quoted = false;
  for (size_t i = 0; i < offset; ++i) {
    if (text[i] == lineEnd) {
      ++place.line;
      place.item = 1;
      quoted = false;
    } else if (text[i] == '"') {
      quoted = !quoted;
    } else if (text[i] == ',' && !quoted) {
      ++place.item;
    }
  }
  return place;
}

// "U+20BB7": the character has no Shift-JIS form to show it with.
SjisString codePointText(char32_t code) {
  char text[16];
  std::snprintf(text, sizeof text, "U+%04X", unsigned(code));
  return text;
}

void reportReplaced(Ui& ui, const ConvertedText& converted, bool lfLineEnds) {
  const Place place = placeOf(converted.text, converted.firstReplacedAt, lfLineEnds);
  ui.messageBox(sjis(kCaption),
                sjis("Shift-JISにない文字 ") + countText(int64_t(converted.replaced)) + sjis(" 個を〓に置き換えました（最初：") +
                    countText(int64_t(place.line)) + sjis("行目 ") + countText(int64_t(place.item)) + sjis("項目「") +
                    codePointText(converted.firstReplaced) + sjis("」）"),
                Buttons::Ok, Icon::Information);
}

}  // namespace

bool settleDataEncoding(Program& program) {
  AppState& state = program.state;
  state.dataForm = {};
  const EncodingScan scan = scanFile(program.files, state.selectedPath);
  state.dataForm.lfLineEnds = scan.lfOnly();
  if (scan.encoding() == DataEncoding::ShiftJis) return true;

  const Found found = foundOf(scan.encoding());
  const int answer = program.ui.messageBox(
      sjis(kCaption), sjis("このファイルは") + sjis(found.name) + sjis("です。Shift-JISに変換して読み込みますか？"),
      Buttons::YesNoCancel, Icon::Question);
  if (answer == kAnswerCancel) return false;
  if (answer != kAnswerYes && found.bomLength == 0) return true;  // read as Shift-JIS as it stands

  const std::string bytes = readWholeFile(program.files, state.selectedPath);
  if (answer != kAnswerYes) {
    // As it stands, but the BOM is no part of the first item name.
    state.dataForm.converted = std::make_shared<const std::string>(bytes.substr(found.bomLength));
    return true;
  }
  ConvertedText converted = toShiftJisReplacing(std::string_view(bytes).substr(found.bomLength), found.form);
  state.dataForm.lfLineEnds = scanBytes(converted.text).lfOnly();
  if (converted.replaced > 0) reportReplaced(program.ui, converted, state.dataForm.lfLineEnds);
  state.dataForm.converted = std::make_shared<const std::string>(std::move(converted.text));
  return true;
}

}  // namespace headly
