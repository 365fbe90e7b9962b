#include "session/line_fields.h"

#include <bit>
#include <optional>

#include "text/byte_marks.h"
#include "text/byte_search.h"

namespace headly {

namespace {

constexpr std::string_view kDoubledQuote = "\"\"";
constexpr std::string_view kQuoteMarker = "\xFF\xFF";

// The quote that closes a quoted field whose text starts at p (a quote
// followed by a comma), stepping over doubled quotes; the line's size when
// the field runs to its end.
size_t closingQuote(const ByteMarks& marks, std::string_view line, size_t p) {
  const size_t end = line.size();
  for (p = marks.nextSecond(p); p != end; p = marks.nextSecond(p)) {
    if (p + 1 == end) return end;
    if (line[p + 1] == ',') return p;
    p += line[p + 1] == '"' ? 2 : 1;
  }
  return end;
}

// Walks the fields of line, whose commas and quotes marks holds, from the
// left: visit(f, region, quoted, last) gets field f's bytes (for a quoted
// field those after the opening quote, up to its closing quote, or to the
// end of the line for the last field) and returns false to stop the walk.
// The walk may start at the place from where field firstField begins.
template <class Visit>
void walkFields(const ByteMarks& marks, std::string_view line, Visit visit, size_t from = 0,
                int32_t firstField = 0) {
  const size_t end = line.size();
  ByteMarks::FirstCursor commas(marks);
  if (from > 0) commas.skipTo(from);
  size_t p = from;
  for (int32_t f = firstField; p != end; ++f) {
    const bool quoted = line[p] == '"';
    size_t stop;
    if (quoted) {
      stop = closingQuote(marks, line, ++p);
      // The commas inside the quotes and the one after them are passed.
      if (stop != end) commas.skipTo(stop + 2);
    } else {
      stop = commas.take();
    }
    const bool last = stop == end;
    if (!visit(f, line.substr(p, stop - p), quoted, last) || last) return;
    p = stop + (quoted ? 2 : 1);
  }
}

// Whether a field's text is empty, told from its region: a quoted last field
// loses its last byte, and doubled quotes never shrink to nothing.
bool emptyText(std::string_view region, bool quoted, bool last) {
  return region.size() <= (quoted && last ? 1u : 0u);
}

// Reads a marked line sixty-four bytes at a time, pairing its quotes from
// the left: a byte after an odd number of quotes is inside quotes. That is
// how the field walk reads the line while every quote opens a field (at the
// line's start or after a comma), closes one (before a comma or the line's
// end) or stands next to another quote, which doubles it.
class PairedQuotes {
 public:
  explicit PairedQuotes(const ByteMarks& marks) : marks_(marks) {}

  // The commas outside quotes in word w, the words asked in order; nothing
  // when a quote of the word stands elsewhere.
  std::optional<uint64_t> separators(size_t w) {
    const uint64_t quotes = marks_.secondWord(w), commas = marks_.firstWord(w);
    uint64_t open = quotes;
    for (int shift = 1; shift < 64; shift *= 2) open ^= open << shift;
    open ^= inside_;
    const size_t size = marks_.size();
    const uint64_t next =
        w + 1 < marks_.wordCount() ? (marks_.firstWord(w + 1) | marks_.secondWord(w + 1)) & 1 : 0;
    const uint64_t lastByte = size > 0 && (size - 1) / 64 == w ? uint64_t(1) << ((size - 1) % 64) : 0;
    const uint64_t marked = commas | quotes;
    const uint64_t afterMark = (marked << 1) | afterMark_;
    const uint64_t beforeMark = (marked >> 1) | (next << 63) | lastByte;
    if ((quotes & open & ~afterMark) != 0 || (quotes & ~open & ~beforeMark) != 0) return std::nullopt;
    inside_ = open >> 63 != 0 ? ~uint64_t(0) : 0;
    afterMark_ = marked >> 63;
    return commas & ~open;
  }

 private:
  const ByteMarks& marks_;
  uint64_t inside_ = 0;     // all ones while a quote is open where a word starts
  uint64_t afterMark_ = 1;  // the line's first byte counts as after a comma
};

// Appends s to out with every pair of the byte c, left to right, replaced
// by to, which is at most two bytes: out grows by at most s's size, and the
// bytes go straight to their place (texts are short and their pieces
// shorter, where an append for every piece cost more than the bytes).
void appendPairsReplaced(std::string_view s, char c, std::string_view to, SjisString& out) {
  const size_t start = out.size();
  out.resize(start + s.size());
  char* w = out.data() + start;
  const char* p = s.data();
  const char* const end = p + s.size();
  while (p != end) {
    if (*p == c && end - p >= 2 && p[1] == c) {
      for (const char b : to) *w++ = b;
      p += 2;
    } else {
      *w++ = *p++;
    }
  }
  out.resize(size_t(w - out.data()));
}

}  // namespace

void collapseDoubledQuotes(std::string_view text, SjisString& out) { appendPairsReplaced(text, '"', "\"", out); }

int32_t countLastItemIndex(std::string_view header) {
  return int32_t(countByte(header, ','));
}

LineFields::LineFields(int32_t items, bool collapseQuotes)
    : items_(size_t(items)), collapseQuotes_(collapseQuotes), fields_(items_) {}

void LineFields::cut(std::string_view line) {
  line_ = line;
  marks_.mark(line);
  if (cutByPairedQuotes()) return;
  // A quote stands where only walking the fields reads it right.
  restart();
  walkFields(marks_, line, [&](int32_t f, std::string_view region, bool quoted, bool last) {
    return take(f, region, quoted, last);
  });
}

void LineFields::restart() {
  count_ = 0;
  anyReworked_ = false;
  reworked_.clear();
  extraData_ = false;
}

bool LineFields::take(int32_t f, std::string_view region, bool quoted, bool last) {
  if (size_t(f) >= items_) {
    extraData_ = !emptyText(region, quoted, last);
    return !extraData_;
  }
  if (quoted)
    addQuoted(region, last);
  else
    add(size_t(region.data() - line_.data()), region.size(), false, false);
  return true;
}

bool LineFields::cutByPairedQuotes() {
  restart();
  const std::string_view line = line_;
  PairedQuotes pairs(marks_);
  int32_t f = 0;
  size_t start = 0;
  // A quoted field's region lies between its quotes, or runs to the line's
  // end when it is the last.
  const auto takeField = [&](size_t stop, bool last) {
    const bool quoted = line[start] == '"';
    const size_t from = start + (quoted ? 1 : 0), to = quoted && !last ? stop - 1 : stop;
    return take(f++, std::string_view(line.data() + from, to - from), quoted, last);
  };
  for (size_t w = 0; w < marks_.wordCount(); ++w) {
    const std::optional<uint64_t> separators = pairs.separators(w);
    if (!separators) return false;
    for (uint64_t bits = *separators; bits != 0; bits &= bits - 1) {
      const size_t at = w * 64 + size_t(std::countr_zero(bits));
      if (!takeField(at, false)) return true;
      start = at + 1;
    }
  }
  if (start < line.size()) takeField(line.size(), true);
  return true;
}

void LineFields::addQuoted(std::string_view region, bool lastField) {
  // Without a quote or a marker byte the text is the region as it stands.
  const size_t inLine = size_t(region.data() - line_.data());
  if (!holdsEither(region, '"', kQuoteMarker[0])) {
    if (lastField && !region.empty()) region.remove_suffix(1);
    add(inLine, region.size(), false, true);
    return;
  }
  const std::string_view doubled = collapseQuotes_ ? "\"" : kDoubledQuote;
  const size_t offset = reworked_.size();
  if (holdsByte(region, kQuoteMarker[0])) {
    // While the field is cut out every doubled quote is held as the marker,
    // so the closing quote of a last field is dropped as a byte of its
    // own...
    marked_.clear();
    appendPairsReplaced(region, '"', kQuoteMarker, marked_);
    if (lastField && !marked_.empty()) marked_.pop_back();
    // ...then each marker becomes the doubled quote again, or the one quote
    // it stands for when quotes are collapsed.
    appendPairsReplaced(marked_, kQuoteMarker[0], doubled, reworked_);
  } else if (!lastField) {
    // Without a marker byte of the text's own, the passes above come to
    // each doubled quote made what it becomes at once: doubled quotes that
    // stay doubled come out as they went in.
    if (!collapseQuotes_) {
      add(inLine, region.size(), false, true, true);
      return;
    }
    appendPairsReplaced(region, '"', doubled, reworked_);
  } else {
    // A last field's last byte is dropped; where it closes a doubled quote
    // (an even run of quotes ends the field), the half of its marker that is
    // left stays the marker byte.
    size_t run = 0;
    while (run < region.size() && region[region.size() - 1 - run] == '"') ++run;
    const bool closesPair = run > 0 && run % 2 == 0;
    const std::string_view text = region.substr(0, region.size() - (closesPair ? 2 : 1));
    // Closed by its quote alone, the text ends in no quote of its own and
    // stands in the line as that of any other field does ("a","b" at a
    // line's end, as many files quote every field).
    if (run == 1) {
      const bool holdsQuote = holdsByte(text, '"');
      if (!collapseQuotes_ || !holdsQuote) {
        add(inLine, text.size(), false, true, holdsQuote);
        return;
      }
    }
    appendPairsReplaced(text, '"', doubled, reworked_);
    if (closesPair) reworked_.push_back(kQuoteMarker[0]);
  }
  add(offset, reworked_.size() - offset, true, true);
  anyReworked_ = true;
}

std::optional<size_t> fieldStartByPairedQuotes(const ByteMarks& marks, size_t field) {
  if (field == 0) return 0;
  PairedQuotes pairs(marks);
  size_t separators = 0;
  for (size_t w = 0; w < marks.wordCount(); ++w) {
    const std::optional<uint64_t> found = pairs.separators(w);
    if (!found) return std::nullopt;
    uint64_t bits = *found;
    const size_t count = countBits(bits);
    if (separators + count >= field) {
      for (; separators + 1 < field; ++separators) bits &= bits - 1;
      return w * 64 + size_t(std::countr_zero(bits)) + 1;
    }
    separators += count;
  }
  return std::string_view::npos;
}

bool hasExtraData(std::string_view line, int32_t lastItemIndex) {
  thread_local ByteMarks marks(',', '"');
  marks.mark(line);
  // Every field after the first starts after a comma: without more commas
  // than the last item's index there is no field beyond it.
  if (lastItemIndex >= 0 && marks.countFirst() <= size_t(lastItemIndex)) return false;
  // Where the quotes pair plainly, the fields after the items are walked
  // alone.
  size_t from = 0;
  int32_t firstField = 0;
  if (lastItemIndex >= 0) {
    if (const std::optional<size_t> start = fieldStartByPairedQuotes(marks, size_t(lastItemIndex) + 1)) {
      if (*start == std::string_view::npos) return false;
      from = *start;
      firstField = lastItemIndex + 1;
    }
  }
  bool extra = false;
  walkFields(
      marks, line,
      [&](int32_t f, std::string_view region, bool quoted, bool last) {
        extra = f > lastItemIndex && !emptyText(region, quoted, last);
        return !extra;
      },
      from, firstField);
  return extra;
}

}  // namespace headly
