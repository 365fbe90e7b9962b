#include "session/row_cutting.h"

#include <algorithm>

#include "session/rebuilt_lines.h"
#include "text/full_width.h"

namespace headly {

namespace {

// Makes row ready for items texts, with room for the converted texts of a
// line of lineSize bytes: reworked texts are no longer than the line,
// converted ones at most twice as long as their fields, so with room for
// twice the line the bytes never move and texts can point into them as they
// are written.
void startRow(CutRow& row, size_t items, size_t lineSize, bool fullWidth) {
  row.texts.assign(items, std::string_view());
  row.quoted.assign(items, 0);
  // Without full width no text is ever converted.
  if (fullWidth)
    row.toConvert.assign(items, 0);
  else
    row.toConvert.clear();
  if (row.bytes.size() < 2 * lineSize) row.bytes.resize(2 * lineSize);
  row.bytesUsed = 0;
}

// Field f of row: a text that stands in the line stays there, converted to
// full width when fullWidth as it is read; one that does not goes to the
// row's bytes, converted at once.
void putText(CutRow& row, size_t f, std::string_view text, bool quoted, bool inLine, bool fullWidth) {
  row.quoted[f] = quoted ? 1 : 0;
  if (inLine) {
    row.texts[f] = text;
    if (fullWidth) row.toConvert[f] = text.empty() ? 0 : 1;
    return;
  }
  char* const begin = row.bytes.data() + row.bytesUsed;
  char* const end =
      fullWidth && !isFullWidth(text) ? writeFullWidth(text, begin) : std::copy(text.begin(), text.end(), begin);
  row.texts[f] = std::string_view(begin, size_t(end - begin));
  row.bytesUsed += size_t(end - begin);
}

// The row that cutting the rebuilt line of items gives, taken from read,
// which cut the line read and reworked no quotes: the rebuilt line would
// cut again into the very texts it is built from.
void takeRebuiltIntoRow(const LineFields& read, const std::vector<int>& items, std::string_view line, size_t count,
                    bool fullWidth, CutRow& row) {
  startRow(row, count, line.size(), fullWidth);
  const size_t taken = std::min(items.size(), count);
  for (size_t k = 0; k < taken; ++k) {
    // Most fields are not quoted: their texts stand in the line as they
    // were cut, which putText keeps (the row's quote mark is 0 already).
    if (const int item = items[k]; item < read.count() && !read.quoted(item)) {
      const std::string_view text = read.text(item);
      row.texts[k] = text;
      if (fullWidth) row.toConvert[k] = text.empty() ? 0 : 1;
      continue;
    }
    const RebuiltField field = secondParseField(read, items[k], row.rebuilt);
    putText(row, k, field.text, field.quoted, field.text.data() != row.rebuilt.data(), fullWidth);
  }
}

}  // namespace

void cutIntoRow(LineFields& fields, std::string_view line, bool fullWidth, CutRow& row) {
  fields.cut(line);
  startRow(row, size_t(fields.items()), line.size(), fullWidth);
  for (int32_t f = 0; f < fields.count(); ++f)
    putText(row, size_t(f), fields.text(f), fields.quoted(f), !fields.reworked(f), fullWidth);
}

RowCutter rebuiltRowCutter(const RebuildOnRead& onRead, int32_t items, const RunOptions& options) {
  const bool fullWidth = options.fullWidth;
  LineFields fields(items, options.collapseQuotes);
  // The line read is cut first up to the last item that the row's items
  // take: without reworked quotes those fields are all the row needs. Else
  // the rebuilt line is made of every field, since a reworked text may run
  // on into the fields after it when the line is cut again.
  const auto taken = onRead.items.begin() + std::min(onRead.items.size(), size_t(std::max(items, 0)));
  const int32_t fieldsTaken = taken == onRead.items.begin() ? 0 : *std::max_element(onRead.items.begin(), taken) + 1;
  return [lines = onRead.lines, fields, read = LineFields(fieldsTaken, false),
          whole = LineFields(onRead.fieldsRead, false), order = onRead.items,
          fullWidth](int32_t r, CutRow& row) mutable {
    const std::string_view line = lines[size_t(r)];
    read.cut(line);
    if (!read.anyReworked()) {
      takeRebuiltIntoRow(read, order, line, size_t(fields.items()), fullWidth, row);
      return;
    }
    LineFields& every = whole.items() == read.items() ? read : whole;
    if (&every != &read) every.cut(line);
    row.rebuilt.clear();
    buildRebuiltLine(order, line, every, row.rebuilt);
    cutIntoRow(fields, row.rebuilt, fullWidth, row);
  };
}

}  // namespace headly
