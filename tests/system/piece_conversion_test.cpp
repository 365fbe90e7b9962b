// Text of another tool converted a block at a time gives exactly what
// converting the whole text gives: random UTF-8 and UTF-16 texts with
// characters Shift-JIS lacks, bad bytes, BOMs and every line end, cut into
// random short pieces so that characters, surrogate pairs and CR LF meet the
// end of a piece; and read as lines through the file layer in short reads.
#include "text/piece_conversion.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "support/faulty_file_system.h"
#include "support/text_files_on_disk.h"
#include "system/converted_file.h"
#include "text/encoding.h"
#include "system/file_encoding.h"
#include "system/text_files.h"
#include "support/text_extras.h"

namespace headly {
namespace {

using test::toUtf16;

// Characters of every kind, and bad sequences of the form.
std::string randomText(std::mt19937& random, UnicodeForm form) {
  static const std::vector<std::string> characters = {
      "a", "b,", "\"", "\r\n", "\r", "\n", std::string(1, '\0'), "\x1A", "東京", "ｱｲｳ", "〜", "―", "\u00E9",
      "\u00A5", "\U00020BB7", "😀", "\uFEFF", "\u3000", "\u2460", "\uFA11", std::string(40, 'x'), "\u0080",
      "−", "£"};
  static const std::vector<std::string> badUtf8 = {"\xFF", "\x80", "\xE6\x9D", "\xC0\xAF", "\xED\xA0\x80",
                                                   "\xF4\x90\x80\x80", "\xF0\x9F\x98", "\xC3", "\xF8\x88\x80\x80"};
  static const std::vector<std::string> badUtf16 = {std::string("\x00\xD8", 2), std::string("\x00\xDC", 2),
                                                    std::string("\xD8\x00", 2), std::string("\xDC\x00", 2)};
  const bool utf8 = form == UnicodeForm::Utf8;
  const bool bigEndian = form == UnicodeForm::Utf16Be;
  std::string text;
  const int count = int(random() % 120);
  for (int i = 0; i < count; ++i) {
    const unsigned pick = random() % 10;
    if (pick == 0) {
      text += utf8 ? badUtf8[random() % badUtf8.size()] : badUtf16[random() % badUtf16.size()];
    } else {
      const std::string& c = characters[random() % characters.size()];
      text += utf8 ? c : toUtf16(c, bigEndian);
    }
  }
  if (!utf8 && random() % 4 == 0) text += '\x41';  // an odd byte at the end
  return text;
}

// The text converted piece by piece as a file is read: short blocks, each
// after what the last conversion left.
struct Pieces {
  std::string text;
  ReplacedCharacters replaced;
};
Pieces convertInPieces(std::string_view text, UnicodeForm form, std::mt19937& random) {
  PieceConverter converter(form);
  Pieces out;
  std::string waiting;
  size_t at = 0;
  do {
    const size_t block = std::min<size_t>(text.size() - at, random() % 9);
    waiting.append(text.substr(at, block));
    at += block;
    const bool last = at == text.size();
    std::string piece(PieceConverter::room(waiting.size()), '\0');
    const PieceConverter::Done done = converter.convert(waiting, last, piece.data());
    out.text.append(piece, 0, done.written);
    waiting.erase(0, done.taken);
    if (last) {
      EXPECT_EQ(waiting, "");
    }
  } while (at < text.size() || !waiting.empty());
  out.replaced = converter.replaced();
  EXPECT_EQ(converter.written(), out.text.size());
  return out;
}

TEST(PieceConversion, PiecesGiveWhatTheWholeTextGives) {
  std::mt19937 random(20261209);
  int replacedSome = 0;
  for (int round = 0; round < 3000; ++round) {
    const UnicodeForm form = UnicodeForm(round % 3);
    const std::string text = randomText(random, form);
    SCOPED_TRACE("round " + std::to_string(round));
    const ConvertedText whole = toShiftJisReplacing(text, form);
    const Pieces pieces = convertInPieces(text, form, random);
    ASSERT_EQ(pieces.text, whole.text);
    const ReplacedCharacters& w = whole.replaced;
    const ReplacedCharacters& p = pieces.replaced;
    ASSERT_EQ(p.ownForms, w.ownForms);
    ASSERT_EQ(p.count, w.count);
    ASSERT_EQ(p.invalid, w.invalid);
    if (w.count > 0) {
      ASSERT_EQ(p.firstAt, w.firstAt);
      ASSERT_EQ(p.firstCode, w.firstCode);
    }
    if (w.invalid > 0) {
      ASSERT_EQ(p.firstInvalidAt, w.firstInvalidAt);
      ASSERT_EQ(p.firstInvalidInSource, w.firstInvalidInSource);
    }
    replacedSome += w.count > 0 && w.invalid > 0;
  }
  EXPECT_GT(replacedSome, 1500);
}

TEST(PieceConversion, WhatIsLeftForLaterNeverSplitsACharacter) {
  PieceConverter utf8(UnicodeForm::Utf8);
  char out[64];
  // "東" cut after its second byte: nothing is taken yet.
  EXPECT_EQ(utf8.convert("a\xE6\x9D", false, out).taken, 1u);
  const std::string le = toUtf16("a\U00020BB7", false);
  PieceConverter utf16(UnicodeForm::Utf16Le);
  EXPECT_EQ(utf16.convert(std::string_view(le).substr(0, 4), false, out).taken, 2u);  // the pair waits
  EXPECT_EQ(utf16.convert(std::string_view(le).substr(2), true, out).written, 2u);
  EXPECT_EQ(utf16.replaced().firstAt, 1u);
}

class ConvertedFiles : public test::TextFilesOnDisk {
 protected:
  // The lines of a file read through the file layer in reads of at most
  // readLimit bytes.
  std::vector<SjisString> readLines(const InputForm& form, size_t readLimit) {
    shortReads.readLimit = readLimit;
    TextFiles shortFiles(shortReads, drives);
    shortFiles.openInput("D:\\in.txt", form, 1);
    std::vector<SjisString> lines;
    while (!shortFiles.atEnd(1)) lines.push_back(shortFiles.readLine(1));
    shortFiles.closeFiles();
    return lines;
  }
  test::FaultyFileSystem shortReads{0};
};

// The look converts two halves of a block at once into one room, the
// second after the most the first can write: converting only valid UTF-8,
// a piece never writes more than it took and a word, bad bytes or not.
TEST(PieceConversion, StoppingAtBadBytesWritesNoMoreThanItTook) {
  const std::string bad(40, '\x80');
  for (const std::string& text : std::vector<std::string>{"abc" + bad, "東京" + bad + "x", std::string(30, 'a') + "\xE6\x9D", "\xFF"}) {
    SCOPED_TRACE(text);
    std::string room(PieceConverter::room(text.size()), '\x1B');
    PieceConverter stopping(UnicodeForm::Utf8, PieceConverter::OnInvalid::Stop);
    const PieceConverter::Done done = stopping.convert(text, true, room.data());
    EXPECT_FALSE(stopping.allValid());
    EXPECT_LE(done.written, done.taken);
    const size_t firstUntouched = std::min(room.size(), done.taken + sizeof(uint64_t));
    EXPECT_EQ(room.find_first_not_of('\x1B', firstUntouched), std::string::npos);
    // Replacing, the same bytes take a 〓 each.
    PieceConverter replacing(UnicodeForm::Utf8);
    EXPECT_GT(replacing.convert(text, true, room.data()).written, 0u);
  }
}

TEST_F(ConvertedFiles, LinesAreThoseOfTheWholeConvertedText) {
  std::mt19937 random(7);
  static const std::vector<std::string> boms = {"\xEF\xBB\xBF", "\xFF\xFE", "\xFE\xFF"};
  for (int round = 0; round < 300; ++round) {
    const UnicodeForm form = UnicodeForm(round % 3);
    const std::string text = randomText(random, form);
    const ConvertedText whole = toShiftJisReplacing(text, form);
    SCOPED_TRACE("round " + std::to_string(round));
    InputForm converted;
    converted.lfLineEnds = random() % 2 == 0;
    converted.convertedFrom = form;
    converted.convertedSize = whole.text.size();
    const bool withBom = random() % 2 == 0;
    converted.skipped = withBom ? boms[size_t(form)].size() : 0;
    tmp.write("in.txt", (withBom ? boms[size_t(form)] : "") + text);
    const std::vector<SjisString> lines = readLines(converted, 1 + random() % 12);
    InputForm plain;
    plain.lfLineEnds = converted.lfLineEnds;
    tmp.write("in.txt", whole.text);
    ASSERT_EQ(lines, readLines(plain, 0));
  }
}

TEST_F(ConvertedFiles, ReadingTheWholeFileTellsWhatBecame) {
  tmp.write("in.txt", "\xEF\xBB\xBF" "a,\xFF\r\n\U00020BB7−");
  InputForm form;
  form.skipped = 3;
  form.convertedFrom = UnicodeForm::Utf8;
  std::string text;
  ReplacedCharacters replaced;
  const auto kept = readConverted(files, "D:\\in.txt", form, false,
                                  [&](std::string_view piece, const ReplacedCharacters& soFar) {
                                    text += piece;
                                    replaced = soFar;
                                  });
  EXPECT_EQ(kept, nullptr);  // not asked to keep it
  EXPECT_EQ(text, "a,\x81\xAC\r\n\x81\xAC\x81\x7C");
  EXPECT_EQ(replaced.count, 1u);
  EXPECT_EQ(replaced.firstAt, 6u);
  EXPECT_EQ(replaced.firstCode, U'\U00020BB7');
  // The source is counted after the BOM.
  EXPECT_EQ(replaced.invalid, 1u);
  EXPECT_EQ(replaced.firstInvalidAt, 2u);
  EXPECT_EQ(replaced.firstInvalidInSource, 2u);
  EXPECT_EQ(replaced.ownForms, 1u);
}

}  // namespace
}  // namespace headly
