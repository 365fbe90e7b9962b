// The field parser over whole record tables, as the first parse (doubled
// quotes kept) and the second parse (collapsed, optionally full width) run it.
#include "session/line_fields.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "support/plain_parse.h"
#include "text/encoding.h"

namespace headly {
namespace {

struct Parsed {
  test::ParsedLines state;
  std::vector<bool> extraData;  // per line: fields beyond the items held data

  std::string cell(int r, int i) const { return toUtf8(state.cells.get(r, i)); }
  // The row as UTF-8 cells joined by '|'.
  std::string row(int r) const {
    std::string out;
    for (int i = 0; i <= state.lastItemIndex; ++i) out += (i ? "|" : "") + cell(r, i);
    return out;
  }
};

Parsed parse(const std::vector<std::string>& utf8Lines, int collapseQuotes = 0, int fullWidth = 0) {
  std::vector<SjisString> lines;
  for (const std::string& line : utf8Lines) lines.push_back(sjis(line));
  Parsed p;
  p.state = test::parseLines(std::vector<std::string_view>(lines.begin(), lines.end()), collapseQuotes != 0,
                             fullWidth != 0);
  p.extraData = p.state.extraData;
  return p;
}

TEST(FieldParser, HeaderNamesAndItemCount) {
  Parsed p = parse({"支店,,担当", "a,b,c"});
  EXPECT_EQ(p.state.lastItemIndex, 2);
  EXPECT_EQ(p.row(0), "支店|（空白）|担当");
  EXPECT_EQ(p.state.blankItemName, (std::vector<uint8_t>{0, 1, 0}));

  p = parse({",支店", "x,y"});
  EXPECT_EQ(p.state.lastItemIndex, 1);
  EXPECT_EQ(p.row(0), "（空白）|支店");
  EXPECT_EQ(p.state.blankItemName[0], 1);

  // A header ending in a comma has one more item, named empty, not "（空白）".
  p = parse({"支店,担当,", "x,y,z"});
  EXPECT_EQ(p.state.lastItemIndex, 2);
  EXPECT_EQ(p.row(0), "支店|担当|");
  EXPECT_EQ(p.state.blankItemName[2], 0);
  EXPECT_EQ(p.row(1), "x|y|z");

  // A comma inside quotes is counted as a separator: one item too many.
  p = parse({"\"支店,本社\",担当", "x,y"});
  EXPECT_EQ(p.state.lastItemIndex, 2);
  EXPECT_EQ(p.row(0), "支店,本社|担当|");
  EXPECT_TRUE(p.state.quoted(0, 0));
  EXPECT_EQ(p.row(1), "x|y|");
}

TEST(FieldParser, QuotedFieldsKeepCommasAndDoubledQuotesOnTheFirstParse) {
  const std::vector<std::string> lines = {"a,b,c", "\"x,y\",\"say \"\"hi\"\"\",\"end\"\"\"",
                                          "1,\"2\"\"\",3"};
  Parsed first = parse(lines, 0);
  EXPECT_EQ(first.row(1), "x,y|say \"\"hi\"\"|end\"\"");
  EXPECT_EQ(first.row(2), "1|2\"\"|3");
  EXPECT_TRUE(first.state.quoted(1, 0) && first.state.quoted(1, 1) && first.state.quoted(1, 2));
  EXPECT_FALSE(first.state.quoted(2, 0));
  EXPECT_TRUE(first.state.quoted(2, 1));

  Parsed second = parse(lines, 1);
  EXPECT_EQ(second.row(1), "x,y|say \"hi\"|end\"");
  EXPECT_EQ(second.row(2), "1|2\"|3");
  // The longest value counts the bytes as stored by each parse.
  EXPECT_EQ(first.state.itemMaxLength, (std::vector<int32_t>{3, 10, 5}));
  EXPECT_EQ(second.state.itemMaxLength, (std::vector<int32_t>{3, 8, 4}));
}

// Quoted texts as two plain passes make them: every doubled quote held as
// the marker byte pair, a last field's final byte dropped, then every
// marker pair made a doubled quote again (the first parse) or one quote.
std::string byMarkerPasses(const std::string& region, bool last, bool collapse) {
  std::string marked, text;
  for (size_t i = 0; i < region.size(); ++i) {
    const bool pair = region[i] == '"' && i + 1 < region.size() && region[i + 1] == '"';
    marked += pair ? "\xFF\xFF" : region.substr(i, 1);
    i += pair ? 1 : 0;
  }
  if (last && !marked.empty()) marked.pop_back();
  for (size_t i = 0; i < marked.size(); ++i) {
    const bool pair = marked[i] == '\xFF' && i + 1 < marked.size() && marked[i + 1] == '\xFF';
    text += pair ? (collapse ? "\"" : "\"\"") : marked.substr(i, 1);
    i += pair ? 1 : 0;
  }
  return text;
}

TEST(FieldParser, QuotedTextsAreThoseOfTheMarkerPasses) {
  const std::vector<std::string> pieces = {"a", "\"", "\"\"", "\xFF", "\xFF\xFF", "\x81"};
  std::mt19937 random(5);
  for (int round = 0; round < 5000; ++round) {
    // A quoted region in which no quote closes the field early.
    std::string region;
    for (size_t n = random() % 6; n > 0; --n) region += pieces[random() % pieces.size()];
    for (size_t i = 0; i < region.size(); ++i) {
      if (region[i] != '"') continue;
      if (i + 1 == region.size() || region[i + 1] != '"') region.insert(i + 1, "x");
      ++i;
    }
    const bool last = round % 2 == 0;
    const std::string line = "\"" + region + (last ? "" : "\",z");
    for (const bool collapse : {false, true}) {
      LineFields fields(2, collapse);
      fields.cut(line);
      ASSERT_EQ(std::string(fields.text(0)), byMarkerPasses(region, last, collapse)) << line << " " << collapse;
      ASSERT_TRUE(fields.quoted(0));
    }
  }
}

// A line's fields as a plain byte-by-byte reading finds them: a field that
// starts with a quote runs to a quote before a comma, stepping over doubled
// quotes, or to the line's end; its region is the bytes after its opening
// quote.
struct PlainField {
  std::string region;
  bool quoted = false, last = false;
};
std::vector<PlainField> plainFields(const std::string& line) {
  std::vector<PlainField> fields;
  const size_t end = line.size();
  for (size_t p = 0; p != end;) {
    const bool quoted = line[p] == '"';
    size_t stop = end;
    if (!quoted) {
      stop = std::min(line.find(',', p), end);
    } else {
      ++p;
      for (size_t q = p; q < end && q + 1 < end;) {
        if (line[q] != '"') {
          ++q;
        } else if (line[q + 1] == ',') {
          stop = q;
          break;
        } else {
          q += line[q + 1] == '"' ? 2 : 1;
        }
      }
    }
    fields.push_back({line.substr(p, stop - p), quoted, stop == end});
    if (stop == end) break;
    p = stop + (quoted ? 2 : 1);
  }
  return fields;
}

// Lines whose quotes pair plainly are cut from their marks, the others by
// walking them: both give the fields of the plain reading, with their quoted
// texts as the marker passes make them, and stop at the first field beyond
// the items that holds data.
TEST(FieldParser, CutsAsAPlainReadingDoes) {
  const std::vector<std::string> pieces = {"a", "bc", ",", "\"", "\"\"", ",\"", "\",", "\x83\x5C", ",,", "\xFF\xFF"};
  std::mt19937 random(29);
  ByteMarks marks(',', '"');
  int paired = 0;
  for (int round = 0; round < 20000; ++round) {
    std::string line;
    for (size_t n = random() % 50; n > 0; --n) line += pieces[random() % (round % 3 == 0 ? 7 : pieces.size())];
    marks.mark(line);
    if (fieldStartByPairedQuotes(marks, 1000)) ++paired;
    const std::vector<PlainField> expected = plainFields(line);
    const int32_t items = int32_t(1 + random() % 8);
    const bool collapse = round % 2 == 0;
    LineFields fields(items, collapse);
    fields.cut(line);
    ASSERT_EQ(fields.count(), std::min(items, int32_t(expected.size()))) << line;
    for (int32_t f = 0; f < fields.count(); ++f) {
      const PlainField& field = expected[size_t(f)];
      ASSERT_EQ(fields.quoted(f), field.quoted) << line << " " << f;
      ASSERT_EQ(std::string(fields.text(f)),
                field.quoted ? byMarkerPasses(field.region, field.last, collapse) : field.region)
          << line << " " << f;
    }
    bool extra = false;
    for (size_t f = size_t(items); f < expected.size() && !extra; ++f)
      extra = expected[f].region.size() > (expected[f].quoted && expected[f].last ? 1u : 0u);
    ASSERT_EQ(fields.extraData(), extra) << line;
  }
  EXPECT_GT(paired, 4000);
}

TEST(FieldParser, QuotedLastFieldDropsItsLastByte) {
  // Without a closing quote the last byte is lost; text after the closing
  // quote keeps the quote and loses its own last byte.
  Parsed p = parse({"a,b", "1,\"abc", "2,\"ab\"c", "3,\"ab\""});
  EXPECT_EQ(p.row(1), "1|ab");
  EXPECT_EQ(p.row(2), "2|ab\"");
  EXPECT_EQ(p.row(3), "3|ab");
  // A line ending in an opening quote gives an empty quoted cell.
  p = parse({"a,b", "1,\""});
  EXPECT_EQ(p.row(1), "1|");
  EXPECT_TRUE(p.state.quoted(1, 1));
}

// A line whose every field is quoted keeps its texts where they stand, the
// last field's too: only doubled quotes that are collapsed, or a quote that
// ends the text, make a text of its own.
TEST(FieldParser, QuotedLastFieldClosedByItsQuoteStaysInTheLine) {
  for (const bool collapse : {false, true}) {
    LineFields fields(3, collapse);
    fields.cut("\"a\",\"b,c\",\"d\"");
    EXPECT_FALSE(fields.anyReworked());
    EXPECT_EQ(fields.text(2), "d");
    fields.cut("\"a\",\"b\",\"d\"\"e\"");
    EXPECT_EQ(fields.anyReworked(), collapse);
    EXPECT_EQ(fields.text(2), collapse ? "d\"e" : "d\"\"e");
    fields.cut("\"a\",\"b\",\"d\"\"\"");
    EXPECT_TRUE(fields.anyReworked());
  }
}

TEST(FieldParser, ShortLinesEmptyFieldsAndTrailingCommas) {
  Parsed p = parse({"a,b,c,d", "1", "1,,3", "1,2,", "", ",,,"});
  EXPECT_EQ(p.row(1), "1|||");
  EXPECT_EQ(p.row(2), "1||3|");
  EXPECT_EQ(p.row(3), "1|2||");
  EXPECT_EQ(p.row(4), "|||");
  EXPECT_EQ(p.row(5), "|||");
  // Empty data fields never become "（空白）".
  EXPECT_EQ(p.state.blankItemName, (std::vector<uint8_t>{0, 0, 0, 0}));
}

TEST(FieldParser, LongestValueCountsDataBytesOnly) {
  Parsed p = parse({"とても長い項目名,b", "東京,12345", "名古屋,1"});
  EXPECT_EQ(p.state.itemMaxLength, (std::vector<int32_t>{6, 5}));
  p = parse({"a,b", ","});
  EXPECT_EQ(p.state.itemMaxLength, (std::vector<int32_t>{0, 0}));
}

TEST(FieldParser, FieldsBeyondTheItemsAreIgnored) {
  const std::vector<std::string> lines = {"a,b", "1,2,3,4", "1,2,,", "1,2,\"\"", "\"1,x\",2,\"3\"", "1,2", "1,2,\"x"};
  Parsed p = parse(lines);
  EXPECT_EQ(p.row(1), "1|2");
  EXPECT_EQ(p.row(4), "1,x|2");
  EXPECT_EQ(p.extraData, (std::vector<bool>{false, true, false, false, true, false, false}));
  EXPECT_EQ(p.state.itemMaxLength, (std::vector<int32_t>{3, 1}));
  // The first parse only counts such lines, without cutting out the cells.
  for (size_t r = 0; r < lines.size(); ++r)
    EXPECT_EQ(hasExtraData(sjis(lines[r]), 1), p.extraData[r]) << lines[r];
  // Commas inside quotes are no separators; kana and kanji hold no comma.
  EXPECT_FALSE(hasExtraData(sjis("\"a,b\",\"c,,d\""), 1));
  EXPECT_TRUE(hasExtraData(sjis("\"a,b\",\"c\",ｬｶﾞ"), 1));
  EXPECT_FALSE(hasExtraData(sjis("ｬ表ｶﾞ,\"\"\",\""), 1));
  EXPECT_TRUE(hasExtraData(sjis("ｬ,表,ｶﾞ"), 1));
  EXPECT_FALSE(hasExtraData(sjis("ｬ,表,ｶﾞ"), 2));
}

TEST(FieldParser, LineFieldsHoldEveryFieldOfALineAtOnce) {
  // Two fields whose doubled quotes are reworked, one without quotes to
  // rework, a blank one and a quoted empty one.
  const SjisString line = sjis("\"a\"\"b\",\"c,d\",,\"\",\"e\"\"\"\"f\",x");
  LineFields kept(6, false), collapsed(6, true);
  kept.cut(line);
  collapsed.cut(line);
  ASSERT_EQ(kept.count(), 6);
  const std::vector<std::string> keptTexts = {"a\"\"b", "c,d", "", "", "e\"\"\"\"f", "x"};
  const std::vector<std::string> collapsedTexts = {"a\"b", "c,d", "", "", "e\"\"f", "x"};
  for (int32_t f = 0; f < 6; ++f) {
    EXPECT_EQ(kept.text(f), keptTexts[size_t(f)]);
    EXPECT_EQ(collapsed.text(f), collapsedTexts[size_t(f)]);
  }
  EXPECT_TRUE(kept.quoted(0) && kept.quoted(1) && kept.quoted(3) && kept.quoted(4));
  EXPECT_FALSE(kept.quoted(2) || kept.quoted(5));
  EXPECT_TRUE(kept.blank(2));
  EXPECT_FALSE(kept.blank(3));
  EXPECT_FALSE(kept.extraData());
  // A line with fewer fields; the next line replaces every field. The
  // fields refer to the line, so it must outlive them.
  const SjisString shortLine = sjis("1");
  kept.cut(shortLine);
  EXPECT_EQ(kept.count(), 1);
  EXPECT_EQ(kept.text(0), "1");
}

TEST(FieldParser, CellsOutliveAMoveOfTheState) {
  // Cells refer to the bytes of the lines; moving or copying the state
  // keeps them readable.
  Parsed p = parse({"a,b", "x,\"y\"\"z\"", "1,2"}, 1);
  test::ParsedLines moved = std::move(p.state);
  const test::ParsedLines copied = moved;
  moved.recordLines.clear();
  for (const test::ParsedLines* s : {static_cast<const test::ParsedLines*>(&moved), &copied}) {
    EXPECT_EQ(toUtf8(s->cells.get(1, 0)), "x");
    EXPECT_EQ(toUtf8(s->cells.get(1, 1)), "y\"z");
    EXPECT_EQ(toUtf8(s->cells.get(2, 1)), "2");
  }
  EXPECT_EQ(copied.recordLines[1], "x,\"y\"\"z\"");
}

TEST(FieldParser, FullWidthConvertsDataButNotItemNames) {
  Parsed p = parse({"Name,b", "ABC 12,\"ｶﾞ,x\""}, 1, 1);
  EXPECT_EQ(p.row(0), "Name|b");
  EXPECT_EQ(p.row(1), "ＡＢＣ　１２|ガ，ｘ");
  EXPECT_EQ(p.state.itemMaxLength, (std::vector<int32_t>{12, 6}));
}

// The fields after the items are found by pairing quotes where that reads a
// line as the field walk does, and walked where it does not: either way
// extra data is told as a walk of the whole line tells it.
TEST(FieldParser, ExtraDataFoundByPairedQuotesAsByTheWalk) {
  std::mt19937 random(17);
  const std::vector<std::string> pieces = {"a", "bc", ",", "\"", "\"\"", ",\"", "\",", "\xFF", "\x83\x5C", ",,"};
  for (int round = 0; round < 20000; ++round) {
    std::string line;
    for (size_t n = random() % 60; n > 0; --n) line += pieces[random() % pieces.size()];
    for (int32_t last = 0; last < 6; ++last) {
      LineFields whole(last + 1, false);
      whole.cut(line);
      ASSERT_EQ(hasExtraData(line, last), whole.extraData()) << round << " " << last << " " << line;
    }
  }
  // Lines of fields quoted or not, quotes doubled inside quotes only: every
  // field is found where it begins.
  ByteMarks marks(',', '"');
  for (int round = 0; round < 3000; ++round) {
    std::string line;
    std::vector<size_t> starts;
    for (size_t n = 1 + random() % 30; n > 0; --n) {
      if (!starts.empty()) line += ',';
      starts.push_back(line.size());
      const bool quoted = random() % 2 == 0;
      std::string text;
      for (size_t k = random() % 4; k > 0; --k) {
        const std::string& piece = pieces[random() % pieces.size()];
        if (piece.find_first_of(quoted ? "\"" : ",\"") == std::string::npos) text += piece;
      }
      if (quoted && random() % 2 == 0) text += "\"\",";
      line += quoted ? "\"" + text + "\"" : text;
    }
    marks.mark(line);
    for (size_t f = 0; f < starts.size() + 2; ++f) {
      const std::optional<size_t> start = fieldStartByPairedQuotes(marks, f);
      ASSERT_TRUE(start.has_value()) << round << " " << line;
      ASSERT_EQ(*start, f < starts.size() ? starts[f] : std::string_view::npos) << round << " " << f << " " << line;
    }
  }
}

// A cell becomes full width when it is first read: in whatever order the
// cells of a record and of the one before are read, each is the converted
// text of the cell cut without conversion, quoted, reworked or in its line.
TEST(FieldParser, CellsConvertedWhenReadInAnyOrder) {
  const std::vector<std::string> lines = {"a,b,c,d", "ｶﾞ ﾊﾟ,ABC,\"x,\"\"y\"\"\",１２", "ｱ,\"ｲ\",z,\"ｳ\"\"ｴ",
                                          "全角,ｶ,\"ｷ\"\"\"", "q"};
  const Parsed half = parse(lines, 1, 0);
  const Parsed full = parse(lines, 1, 1);
  // The item names stay as they are.
  auto expected = [&](int32_t r, int32_t i) {
    const std::string_view cell = half.state.cells.get(r, i);
    return r == 0 ? SjisString(cell) : toFullWidth(cell);
  };
  for (int32_t r = 1; r <= full.state.recordCount; ++r)
    for (int32_t i = full.state.lastItemIndex; i >= 0; --i) {
      ASSERT_EQ(full.state.cells.get(r, i), expected(r, i)) << r << " " << i;
      ASSERT_EQ(full.state.cells.get(r - 1, i), expected(r - 1, i)) << r << " " << i;
    }
}

}  // namespace
}  // namespace headly
