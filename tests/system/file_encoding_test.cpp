// What a data file's bytes are, its conversion to Shift-JIS with 〓 for what
// Shift-JIS lacks, reading LF-only and converted lines, UTF-8 output, and
// native names in the other Unicode forms of Shift-JIS characters.
#include "system/file_encoding.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/text_files_on_disk.h"
#include "system/drives.h"
#include "text/encoding.h"
#include "system/file_system.h"
#include "system/text_files.h"

namespace headly {
namespace {

// The scan of bytes held in memory.
EncodingScan scanBytes(std::string_view bytes) {
  EncodingScan scan;
  scan.feed(bytes);
  return scan;
}

// The scan of bytes fed in blocks of the given size.
EncodingScan scanInBlocks(std::string_view bytes, size_t block) {
  EncodingScan scan;
  for (size_t at = 0; at < bytes.size(); at += block) scan.feed(bytes.substr(at, block));
  return scan;
}

TEST(EncodingScan, FindsWhatTheBytesAre) {
  struct Case {
    std::string bytes;
    DataEncoding expected;
  };
  const std::string sjisKanji = *fromUtf8("支店,数量\r\n東京,1\r\n");
  for (const Case& c : {
           Case{"\xEF\xBB\xBF" "a,b\r\n", DataEncoding::Utf8WithBom},
           Case{"\xEF\xBB\xBF", DataEncoding::Utf8WithBom},
           Case{"\xFF\xFE" "a\0", DataEncoding::Utf16Le},
           Case{"\xFE\xFF\0a", DataEncoding::Utf16Be},
           Case{"支店,数量\r\n東京,1\r\n", DataEncoding::Utf8},
           Case{"a,\U00020BB7\r\n", DataEncoding::Utf8},
           Case{sjisKanji, DataEncoding::ShiftJis},
           Case{"a,b\r\n1,2\r\n", DataEncoding::ShiftJis},   // pure ASCII needs nothing
           Case{"", DataEncoding::ShiftJis},
           Case{"ab\xE6\x94", DataEncoding::ShiftJis},         // cut off at the end
           Case{"\xC0\xAF", DataEncoding::ShiftJis},           // overlong
           Case{"\xED\xA0\x80", DataEncoding::ShiftJis},       // a surrogate
           Case{"\xF4\x90\x80\x80", DataEncoding::ShiftJis},   // above U+10FFFF
           Case{"\xEF\xBB", DataEncoding::ShiftJis},
       }) {
    SCOPED_TRACE(c.bytes);
    for (size_t block : {size_t(1), size_t(2), size_t(3), size_t(64)})
      EXPECT_EQ(scanInBlocks(c.bytes, block).encoding(), c.expected) << "blocks of " << block;
  }
}

TEST(EncodingScan, ACharacterAnywhereInALongAsciiRunCounts) {
  const std::string sjisKanji = *fromUtf8("東");
  for (size_t at = 0; at <= 150; ++at) {
    SCOPED_TRACE(at);
    const std::string before(at, 'a'), after(150 - at, 'b');
    EXPECT_EQ(scanBytes(before + "東" + after).encoding(), DataEncoding::Utf8);
    EXPECT_EQ(scanBytes(before + sjisKanji + after).encoding(), DataEncoding::ShiftJis);
    EXPECT_EQ(scanBytes(before + "\xE6\x9D" + after).encoding(), DataEncoding::ShiftJis);  // cut short
  }
}

TEST(EncodingScan, LfOnlyMeansNoCrAtAllAndSomeLf) {
  EXPECT_TRUE(scanBytes("a\nb\n").lfOnly());
  EXPECT_TRUE(scanInBlocks("a\nb", 1).lfOnly());
  EXPECT_FALSE(scanBytes("a\r\n\"x\ny\"\r\n").lfOnly());
  EXPECT_FALSE(scanInBlocks("a\nb\r", 1).lfOnly());
  EXPECT_FALSE(scanBytes("ab").lfOnly());
  EXPECT_FALSE(scanBytes("a\rb").lfOnly());
}

TEST(EncodingScan, SettlesOnlyWhenNoLaterByteCanChangeTheAnswers) {
  const std::string sjisLine = *fromUtf8("東京,1\r\n");
  EXPECT_TRUE(scanBytes(sjisLine).settled());
  EXPECT_FALSE(scanBytes("a,b\r\n").settled());               // still valid UTF-8
  EXPECT_FALSE(scanBytes(*fromUtf8("東京,1\n")).settled());   // no CR yet: LF-only is open
  EXPECT_FALSE(scanBytes("\x93\r").settled());                 // the first bytes are not all in
  // Settled answers stay what the whole file gives.
  EncodingScan scan = scanBytes(sjisLine);
  scan.feed("\n\n\xEF\xBB\xBF");
  EXPECT_EQ(scan.encoding(), DataEncoding::ShiftJis);
  EXPECT_FALSE(scan.lfOnly());
}

TEST(ShiftJisConversion, CharactersWithoutShiftJisBecomeGeta) {
  ConvertedText c = toShiftJisReplacing("a\U00020BB7b😀,〜", UnicodeForm::Utf8);
  EXPECT_EQ(c.text, *fromUtf8("a〓b〓,～"));
  EXPECT_EQ(c.replaced.count, 2u);
  EXPECT_EQ(c.replaced.firstAt, 1u);
  EXPECT_EQ(c.replaced.firstCode, U'\U00020BB7');
  EXPECT_EQ(c.replaced.invalid, 0u);
  EXPECT_EQ(c.replaced.ownForms, 1u);  // 〜

  // Not UTF-8: a stray byte, a surrogate, an overlong form and a sequence
  // cut off at the end; only whole characters are read in their own form.
  c = toShiftJisReplacing("ok\xFF" "x\xED\xA0\x80\xC0\xAF−\xE2\x88", UnicodeForm::Utf8);
  EXPECT_EQ(c.text, *fromUtf8("ok〓x〓〓〓〓〓－〓〓"));
  EXPECT_EQ(c.replaced.count, 0u);
  EXPECT_EQ(c.replaced.invalid, 8u);
  EXPECT_EQ(c.replaced.firstInvalidAt, 2u);
  EXPECT_EQ(c.replaced.firstInvalidInSource, 2u);
  EXPECT_EQ(c.replaced.ownForms, 1u);

  c = toShiftJisReplacing("東京", UnicodeForm::Utf8);
  EXPECT_EQ(c.text, *fromUtf8("東京"));
  EXPECT_EQ(c.replaced.count + c.replaced.invalid + c.replaced.ownForms, 0u);
}

TEST(ShiftJisConversion, Utf16BothWaysRoundWithSurrogatePairs) {
  // "東a" and U+20BB7 (a surrogate pair), then an unpaired surrogate.
  const std::string le("\x71\x67" "a\0" "\x42\xD8\xB7\xDF" "\x00\xD8", 10);
  ConvertedText c = toShiftJisReplacing(le, UnicodeForm::Utf16Le);
  EXPECT_EQ(c.text, *fromUtf8("東a〓〓"));
  EXPECT_EQ(c.replaced.count, 1u);
  EXPECT_EQ(c.replaced.firstCode, U'\U00020BB7');
  EXPECT_EQ(c.replaced.invalid, 1u);
  EXPECT_EQ(c.replaced.firstInvalidAt, 5u);
  EXPECT_EQ(c.replaced.firstInvalidInSource, 8u);

  // ‖ and ¥ are read in Shift-JIS's own form; an odd last byte is no unit.
  const std::string be("\x67\x71" "\0a" "\xD8\x42\xDF\xB7" "\x20\x16\x00\xA5" "b", 13);
  c = toShiftJisReplacing(be, UnicodeForm::Utf16Be);
  EXPECT_EQ(c.text, *fromUtf8("東a〓∥\\〓"));
  EXPECT_EQ(c.replaced.firstAt, 3u);
  EXPECT_EQ(c.replaced.ownForms, 2u);
  EXPECT_EQ(c.replaced.invalid, 1u);
  EXPECT_EQ(c.replaced.firstInvalidInSource, 12u);
}

TEST(NativeNames, OtherFormsOfShiftJisCharactersAreTheSameName) {
  EXPECT_EQ(fromNativeName("4月〜6月"), fromUtf8("4月～6月"));
  EXPECT_EQ(fromNativeName("A−B"), fromUtf8("A－B"));
  EXPECT_EQ(fromNativeName("‖—¢£¬"), fromUtf8("∥―￠￡￢"));
  EXPECT_EQ(fromNativeName("😀"), std::nullopt);
  EXPECT_EQ(fromNativeName("\u00A5"), std::nullopt);  // would become a backslash
  EXPECT_EQ(standardNameForm("4月〜6月−¬"), "4月～6月－￢");
  EXPECT_TRUE(hasOtherNameForms("4月～6月"));
  EXPECT_FALSE(hasOtherNameForms("東京"));
  EXPECT_EQ(Drives::nameWithoutShiftJis("/tmp/a〜/😀/x.csv"), "😀");
  EXPECT_EQ(Drives::nameWithoutShiftJis("/tmp/a〜/x.csv"), "");
}

class OtherToolsFiles : public test::TextFilesOnDisk {
 protected:
  std::vector<SjisString> readAll(const InputForm& form) {
    files.openInput("D:\\in.txt", form, 1);
    return readRest();
  }
};

using Lines = std::vector<SjisString>;

TEST_F(OtherToolsFiles, LfLinesAndConvertedText) {
  tmp.write("in.txt", std::string("a\nb\0c\n\nd\x1A", 9));
  EXPECT_EQ(readAll({}), (Lines{std::string("a\nbc\n\nd", 7)}));
  InputForm lf;
  lf.lfLineEnds = true;
  EXPECT_EQ(readAll(lf), (Lines{"a", "bc", "", "d"}));
  EXPECT_EQ(scanFile(files, "D:\\in.txt").lfOnly(), true);

  // Converted text is read in the file's place, by the same rules; a BOM is
  // left out whether the bytes are converted or not.
  tmp.write("in.txt", "\xEF\xBB\xBF" "x\r\n\xE6\x9D\xB1\r\n\x1A");
  EncodingScan scan = scanFile(files, "D:\\in.txt");
  InputForm converted;
  converted.skipped = 3;
  converted.convertedFrom = UnicodeForm::Utf8;
  converted.converted = scan.takeConverted();
  ASSERT_TRUE(converted.converted);
  converted.convertedSize = converted.converted->size;
  EXPECT_EQ(converted.convertedSize, 8u);
  EXPECT_EQ(readAll(converted), (Lines{"x", *fromUtf8("東")}));
  // A second reading converts the file again.
  EXPECT_EQ(readAll(converted), (Lines{"x", *fromUtf8("東")}));
  InputForm asTheyStand;
  asTheyStand.skipped = 3;
  EXPECT_EQ(readAll(asTheyStand), (Lines{"x", "\xE6\x9D\xB1"}));
  // Text that starts in ASCII, fed in small blocks.
  tmp.write("in.txt", "a,b\r\n1,\xE6\x9D\xB1\r\n");
  EncodingScan inBlocks = scanInBlocks("a,b\r\n1,\xE6\x9D\xB1\r\n", 2);
  converted.skipped = 0;
  converted.converted = inBlocks.takeConverted();
  ASSERT_TRUE(converted.converted);
  converted.convertedSize = converted.converted->size;
  EXPECT_EQ(readAll(converted), (Lines{"a,b", "1," + *fromUtf8("東")}));
}

// What the look converted of bytes fed in blocks, checked against
// converting the text after the BOM whole: the same bytes, 〓 included.
void expectConvertedAsAWhole(std::string_view bytes, size_t block, size_t bomLength) {
  SCOPED_TRACE(block);
  const ConvertedText whole = toShiftJisReplacing(bytes.substr(bomLength), UnicodeForm::Utf8);
  EncodingScan scan = scanInBlocks(bytes, block);
  const std::shared_ptr<ConvertedAhead> converted = scan.takeConverted();
  ASSERT_TRUE(converted);
  EXPECT_EQ(converted->text->view(), whole.text);
  EXPECT_EQ(converted->size, whole.text.size());
  EXPECT_EQ(converted->replaced.count, whole.replaced.count);
  EXPECT_EQ(converted->replaced.firstAt, whole.replaced.firstAt);
  EXPECT_EQ(converted->replaced.firstCode, whole.replaced.firstCode);
  EXPECT_EQ(converted->replaced.ownForms, whole.replaced.ownForms);
}

TEST_F(OtherToolsFiles, TheLookConvertsValidUtf8AsItGoes) {
  const std::string text = "支店,ｱｲ\r\n東京,Ω〜−£\U00020BB7\u00E9\r\n";
  for (size_t block = 1; block <= text.size() + 3; ++block) {
    expectConvertedAsAWhole("\xEF\xBB\xBF" + text, block, 3);
    expectConvertedAsAWhole(text, block, 0);
  }
  // Blocks as large as a file gives them, cut inside characters.
  std::string large;
  for (int i = 0; i < 60000; ++i) large += "東京,ｱｲ,abc,\u00E9😀〜\r\n";
  expectConvertedAsAWhole(large, 1 << 20, 0);
  expectConvertedAsAWhole(large, 100001, 0);

  for (const char* notUtf8 : {"\xFF\xFE" "a\0", "\xEF\xBB\xBF" "a\xFF", "a,b\r\n", "ab\xE6\x9D", "\xE6\x9D\xB1\x80"}) {
    SCOPED_TRACE(notUtf8);
    EncodingScan scan = scanBytes(notUtf8);
    EXPECT_EQ(scan.takeConverted(), nullptr);
  }
  // A bad byte after a long valid stretch: Shift-JIS after all.
  EncodingScan late = scanInBlocks(large + "\xE6\x9D" "a", 1 << 20);
  EXPECT_EQ(late.encoding(), DataEncoding::ShiftJis);
  EXPECT_EQ(late.takeConverted(), nullptr);
}

// A block large enough to be converted in two parts at once lets the next
// be read meanwhile, unless its bytes turn out not to be UTF-8; the file
// read that way converts as a whole.
TEST_F(OtherToolsFiles, TheNextBlockIsReadWhileALargeOneIsConverted) {
  std::string large, sjisLarge;
  for (int i = 0; i < 40000; ++i) {
    large += "東京,ｱｲ,abc,\u00E9😀〜\r\n";
    sjisLarge += *fromUtf8("東京,ｱｲ,abc\r\n");
  }
  int reads = 0;
  const auto readNext = [&] { ++reads; };
  EncodingScan scan;
  EXPECT_FALSE(scan.feed("支店\r\n", readNext));
  EXPECT_TRUE(scan.feed(large, readNext));
  EXPECT_EQ(reads, 1);
  EncodingScan notUtf8;
  EXPECT_FALSE(notUtf8.feed(sjisLarge, readNext));
  EXPECT_EQ(reads, 1);
  EXPECT_TRUE(notUtf8.settled());

  // Past the first block and a whole one after it; one character replaced.
  std::string file;
  for (int i = 0; i < 400000; ++i) file += "東京,ｱｲ,abc,〜\r\n";
  file += "😀\r\n";
  tmp.write("in.txt", file);
  const std::shared_ptr<ConvertedAhead> converted = scanFile(files, "D:\\in.txt").takeConverted();
  ASSERT_TRUE(converted);
  const ConvertedText whole = toShiftJisReplacing(file, UnicodeForm::Utf8);
  EXPECT_TRUE(converted->text->view() == whole.text);
  EXPECT_EQ(converted->replaced.count, whole.replaced.count);
  EXPECT_EQ(converted->replaced.firstAt, whole.replaced.firstAt);
}

TEST_F(OtherToolsFiles, Utf8OutputHasNoEndMark) {
  files.openOutput("D:\\out.txt", OutputEncoding::Utf8, 1);
  files.writeLine(1, *fromUtf8("東京　ｱ"));
  files.writeLine(1, "");
  files.closeFiles();
  EXPECT_EQ(tmp.read("out.txt"), "東京　ｱ\r\n\r\n");
}

// The byte order mark comes once, before the first line, however many
// blocks the lines fill and whichever way they are written.
TEST_F(OtherToolsFiles, Utf8WithBomStartsWithTheMarkOnce) {
  const SjisString line = *fromUtf8("支店,担当,数量");
  std::string lines;
  for (int i = 0; i < 10000; ++i) lines += line + "\r\n";
  files.openOutput("D:\\out.csv", OutputEncoding::Utf8WithBom, 1);
  files.writeLine(1, line);
  files.writeLines(1, lines);
  files.writeLine(1, line);
  files.closeFiles();
  std::string expected = "\xEF\xBB\xBF";
  for (int i = 0; i < 10002; ++i) expected += "支店,担当,数量\r\n";
  const std::string written = tmp.read("out.csv");
  ASSERT_EQ(written.size(), expected.size());
  EXPECT_TRUE(written == expected);
}

TEST_F(OtherToolsFiles, PathsFindNamesInTheFormTheyHaveOnDisk) {
  std::filesystem::create_directories(tmp / "4月〜6月/A−B");
  const std::string internal = "D:\\" + *fromUtf8("4月～6月\\A－B\\new");
  EXPECT_EQ(drives.toNative(internal), tmp / "4月〜6月/A−B/new");
  // A name found in no form is created in the form Shift-JIS gives back.
  files.makeFolder("D:\\" + *fromUtf8("x～"));
  EXPECT_TRUE(std::filesystem::is_directory(tmp / "x～"));
  EXPECT_EQ(drives.toNative("D:\\" + *fromUtf8("x～")), tmp / "x～");
  EXPECT_EQ(drives.fromNative(tmp / "4月〜6月/A−B"), drives.fromNative(tmp / "4月～6月/A－B"));
  EXPECT_EQ(files.folderEntries("D:\\" + *fromUtf8("4月～6月")), (Lines{"[..]", "[" + *fromUtf8("A－B") + "]"}));
}

TEST_F(OtherToolsFiles, DocumentBytesAreWrittenAsGivenAndReplaceTheOldFile) {
  tmp.write("out.pdf", "old");
  files.openByteOutput("D:\\out.pdf", 1);
  files.writeBytes(1, std::string("%PDF\r\n\x1A\0\xFF", 9));
  EXPECT_EQ(tmp.read("out.pdf"), "old") << "the old file stays until the new one is complete";
  files.closeFiles();
  EXPECT_EQ(tmp.read("out.pdf"), std::string("%PDF\r\n\x1A\0\xFF", 9)) << "no end mark, no conversion";
}

}  // namespace
}  // namespace headly
