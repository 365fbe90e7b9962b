#include "app/data_encoding.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <utility>
#include <vector>

#include "text/byte_search.h"
#include "text/encoding.h"
#include "system/file_encoding.h"
#include "text/numbers.h"
#include "text/quoted_fields.h"
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

// Line (from 1) and item (from 1) of a place in the converted text, as the
// lines will be read and the field parser cuts them: commas inside double
// quotes belong to the field, and so does an LF inside a quoted value in a
// file of LF lines. Found as the text goes by, for both line ends, since
// which one the lines end in is known only at its end.
struct Place {
  uint64_t line = 1, item = 1;
  bool quoted = false;
  QuotedFields lineQuotes;  // where an LF ends a line

  // Goes past bytes: the lines they end are counted, only the last one's
  // items, unless a quote may hold an LF.
  void pass(std::string_view bytes, char lineEnd) {
    if (lineEnd == '\n' && (lineQuotes.insideQuotes() || bytes.find('"') != std::string_view::npos)) {
      for (size_t lf; (lf = bytes.find('\n')) != std::string_view::npos;) {
        within(bytes.substr(0, lf));
        bytes.remove_prefix(lf + 1);
        if (!lineQuotes.insideQuotes()) startLine();
      }
    } else if (const size_t lastEnd = bytes.rfind(lineEnd); lastEnd != std::string_view::npos) {
      line += countByte(bytes.substr(0, lastEnd + 1), lineEnd) - 1;
      startLine();
      bytes.remove_prefix(lastEnd + 1);
    }
    within(bytes);
  }
  void startLine() {
    ++line;
    item = 1;
    quoted = false;
    lineQuotes.startLine();
  }
  // Bytes of one line.
  void within(std::string_view bytes) {
    for (const char c : bytes) {
      if (c == '"') quoted = !quoted;
      if (c == ',' && !quoted) ++item;
    }
    lineQuotes.follow(bytes);
  }
};
struct Places {
  Place atCr, atLf;
  void pass(std::string_view bytes) {
    atCr.pass(bytes, '\r');
    atLf.pass(bytes, '\n');
  }
};

// What the converted text is made of: its size and line ends, what the
// conversion met, and the places of the first character without a
// Shift-JIS form and of the first bad byte sequence.
struct ConvertedLook {
  uint64_t size = 0;
  bool sawCr = false, sawLf = false;
  ReplacedCharacters replaced;
  Places walked;  // up to the end of the text taken, while a first place is still to come
  std::optional<Places> atMissing, atInvalid;

  void take(std::string_view piece, const ReplacedCharacters& replacedSoFar) {
    replaced = replacedSoFar;
    // The first places this piece reaches, in order.
    constexpr uint64_t kNotYet = UINT64_MAX;
    struct First {
      uint64_t at;
      std::optional<Places>* places;
    };
    std::array<First, 2> firsts{{{replaced.count > 0 ? replaced.firstAt : kNotYet, &atMissing},
                                 {replaced.invalid > 0 ? replaced.firstInvalidAt : kNotYet, &atInvalid}}};
    if (firsts[1].at < firsts[0].at) std::swap(firsts[0], firsts[1]);
    uint64_t walkedTo = size;
    for (const First& first : firsts) {
      if (*first.places || first.at > size + piece.size()) continue;
      walked.pass(piece.substr(walkedTo - size, first.at - walkedTo));
      walkedTo = first.at;
      *first.places = walked;
    }
    if (!atMissing || !atInvalid) walked.pass(piece.substr(walkedTo - size));
    sawCr = sawCr || piece.find('\r') != std::string_view::npos;
    sawLf = sawLf || piece.find('\n') != std::string_view::npos;
    size += piece.size();
  }
  bool lfOnly() const { return !sawCr && sawLf; }
  const Place& placeIn(const std::optional<Places>& places) const { return lfOnly() ? places->atLf : places->atCr; }
};

// "U+20BB7": the character has no Shift-JIS form to show it with.
SjisString codePointText(char32_t code) {
  char text[16];
  std::snprintf(text, sizeof text, "U+%04X", unsigned(code));
  return text;
}

SjisString placeText(const Place& place) {
  return countText(int64_t(place.line)) + sjis("行目 ") + countText(int64_t(place.item)) + sjis("項目");
}

// The information after a conversion, a sentence for each thing to tell:
// characters without a Shift-JIS form, byte sequences that are not valid in
// the file's encoding, and characters read in Shift-JIS's own form. Nothing
// when there is none of them.
void reportConversion(Ui& ui, const ConvertedLook& look, const Found& found) {
  const ReplacedCharacters& replaced = look.replaced;
  std::vector<SjisString> sentences;
  if (replaced.count > 0)
    sentences.push_back(sjis("Shift-JISにない文字 ") + countText(int64_t(replaced.count)) +
                        sjis(" 個を〓に置き換えました（最初：") + placeText(look.placeIn(look.atMissing)) + sjis("「") +
                        codePointText(replaced.firstCode) + sjis("」）"));
  if (replaced.invalid > 0) {
    const uint64_t byte = found.bomLength + replaced.firstInvalidInSource + 1;
    sentences.push_back(sjis(found.form == UnicodeForm::Utf8 ? "UTF-8" : "UTF-16") + sjis("として正しくないバイト列 ") +
                        countText(int64_t(replaced.invalid)) + sjis(" か所を〓に置き換えました（最初：") +
                        placeText(look.placeIn(look.atInvalid)) + sjis("、ファイルの先頭から ") +
                        countText(int64_t(byte)) + sjis(" バイト目）"));
  }
  if (replaced.ownForms > 0)
    sentences.push_back(sjis("Shift-JISの形で読み込んだ文字 ") + countText(int64_t(replaced.ownForms)) +
                        sjis(" 個（マイナス記号、波ダッシュ、ポンド記号など）は、書き出すファイルでは －、～、￡ "
                             "などのShift-JISの形になります"));
  // Whether it comes depends on the month's data, so a recorded session
  // answers it only if it is asked, and is ready for it when it is not.
  if (sentences.empty()) {
    ui.diskQuestionNotAsked(sjis(kCaption), {}, kAnswerOk);
    return;
  }
  SjisString text = sentences[0];
  for (size_t i = 1; i < sentences.size(); ++i) text += "\n" + sentences[i];
  ui.diskQuestion(sjis(kCaption), text, Buttons::Ok, Icon::Information);
}

}  // namespace

std::optional<InputForm> settleDataEncoding(Ui& ui, TextFiles& files, const SjisString& path) {
  InputForm form;
  EncodingScan scan = scanFile(files, path);
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
  ConvertedLook look;
  // UTF-8 is converted by the look already, and read from what it made;
  // UTF-16 is converted here to see what it becomes, and read from that when
  // it could be kept. UTF-8 that the look did not keep, which would take too
  // much memory, is converted again as it is read.
  form.converted = scan.takeConverted();
  if (form.converted) {
    form.convertedSize = form.converted->size;
    look.replaced = form.converted->replaced;
    if (look.replaced.count > 0) look.take(form.converted->text->view(), form.converted->replaced);
  } else {
    form.converted = readConverted(
        files, path, form, found.form != UnicodeForm::Utf8,
        [&look](std::string_view piece, const ReplacedCharacters& replaced) { look.take(piece, replaced); });
    form.convertedSize = look.size;
    form.lfLineEnds = look.lfOnly();
  }
  reportConversion(ui, look, found);
  return form;
}

}  // namespace headly
