#include "app/field_parser.h"

#include <algorithm>

#include "app/work_progress.h"
#include "text/full_width.h"

namespace headly {

namespace {

constexpr size_t kNone = std::string_view::npos;

// Position of the quote that closes a quoted field (a quote followed by a
// comma), stepping over doubled quotes; kNone when the field runs to the end
// of the line.
size_t closingQuote(std::string_view t) {
  for (size_t q = t.find('"'); q != kNone; q = t.find('"', q)) {
    if (q + 1 >= t.size()) return kNone;
    if (t[q + 1] == ',') return q;
    q += t[q + 1] == '"' ? 2 : 1;
  }
  return kNone;
}

}  // namespace

int32_t countLastItemIndex(std::string_view header) {
  return static_cast<int32_t>(std::count(header.begin(), header.end(), ','));
}

void createParseTables(AppState& state) {
  const int32_t rows = state.recordCount + 1;
  const int32_t items = state.lastItemIndex + 1;
  size_t lineBytes = 0;
  for (int32_t r = 0; r < rows; ++r) lineBytes += state.recordLines[size_t(r)].size();
  state.cells.reset(rows, items);
  // Full width at most doubles a value; blank item names add their text.
  state.cells.reserveBytes((state.fullWidth ? 2 : 1) * lineBytes + sizeof(kBlankItemName) * size_t(items));
  state.itemMaxLength.assign(size_t(items), 0);
  state.quotedCell.assign(size_t(rows) * size_t(items), 0);
  state.blankItemName.assign(size_t(items), 0);
}

FieldParser::FieldParser(AppState& state) : state_(state), items_(state.lastItemIndex + 1) {}

bool FieldParser::parseLine(int32_t r, std::string_view t) {
  bool extraData = false;
  int32_t f = 0;
  const auto keep = [&](std::string_view text) {
    if (!store(r, f, text) && !text.empty()) extraData = true;
  };
  while (!t.empty()) {
    if (t.front() == '"') {
      if (f < items_) state_.quotedCell[size_t(r) * size_t(items_) + size_t(f)] = 1;
      t.remove_prefix(1);
      const size_t k = closingQuote(t);
      if (k == kNone) {
        keep(quotedText(t, true));
        t = {};
      } else {
        keep(quotedText(t.substr(0, k), false));
        t.remove_prefix(k + 2);
        ++f;
      }
      continue;
    }
    const size_t p = t.find(',');
    if (p == 0) {
      // An empty field: the cell stays empty, but an item needs a name to show.
      if (r == 0 && f < items_) {
        state_.cells.set(0, f, sjis(kBlankItemName));
        state_.blankItemName[size_t(f)] = 1;
      }
      t.remove_prefix(1);
      ++f;
    } else if (p == kNone) {
      keep(t);
      t = {};
    } else {
      keep(t.substr(0, p));
      t.remove_prefix(p + 1);
      ++f;
    }
  }
  return extraData;
}

std::string_view FieldParser::quotedText(std::string_view region, bool lastField) {
  const std::string_view marker = state_.quoteMarker;
  if (region.find("\"\"") == kNone && region.find(marker[0]) == kNone)
    return lastField && !region.empty() ? region.substr(0, region.size() - 1) : region;

  // While the field is cut out every doubled quote is held as the marker, so
  // the closing quote of a last field is dropped as a byte of its own...
  marked_.clear();
  for (size_t i = 0; i < region.size(); ++i) {
    if (region[i] == '"' && i + 1 < region.size() && region[i + 1] == '"') {
      marked_ += marker;
      ++i;
    } else {
      marked_ += region[i];
    }
  }
  if (lastField && !marked_.empty()) marked_.pop_back();

  // ...then each marker becomes the doubled quote again, or the one quote it
  // stands for when quotes are collapsed.
  const std::string_view quotes = state_.collapseQuotes ? "\"" : "\"\"";
  restored_.clear();
  for (size_t i = 0; i < marked_.size(); ++i) {
    if (marked_.compare(i, marker.size(), marker) == 0) {
      restored_ += quotes;
      i += marker.size() - 1;
    } else {
      restored_ += marked_[i];
    }
  }
  return restored_;
}

bool FieldParser::store(int32_t r, int32_t f, std::string_view text) {
  if (f >= items_) return false;
  if (r > 0 && state_.fullWidth) {
    converted_.clear();
    appendFullWidth(text, converted_);
    text = converted_;
  }
  if (!text.empty()) state_.cells.set(r, f, text);
  if (r > 0) {
    int32_t& longest = state_.itemMaxLength[size_t(f)];
    longest = std::max(longest, byteLength(text));
  }
  return true;
}

int32_t parseAllRecords(Program& program) {
  AppState& state = program.state;
  FieldParser parser(state);
  WorkProgress progress(program.ui, "データの解析中");
  int32_t linesWithExtraData = 0;
  for (int32_t r = 0; r <= state.recordCount; ++r) {
    if (parser.parseLine(r, state.recordLines[size_t(r)])) ++linesWithExtraData;
    progress.step(r);
  }
  progress.finish();
  return linesWithExtraData;
}

}  // namespace headly
