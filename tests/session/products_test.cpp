// The products the stages hand on: each is made whole by one stage and
// holds what the next reads, whatever that stage drops of its own.
#include "session/reorder_pass.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "session/layout.h"
#include "text/encoding.h"

namespace headly {
namespace {

class SilentDisplay : public ProgressDisplay {
 public:
  void keepAlive() override {}
  void show(const SjisString&, int64_t, int64_t) override {}
};

LoadedTable loadedTable(const std::vector<std::string>& utf8Lines) {
  LineTable lines;
  for (const std::string& line : utf8Lines) lines.append(sjis(line));
  return LoadedTable(std::move(lines), int32_t(utf8Lines.size()) - 1, 0);
}

TEST(Products, ReorderedRecordsOutliveTheTableAndStageTheyCameFrom) {
  SilentDisplay display;
  std::optional<LoadedTable> table = loadedTable({"支店,\"備\"\"考\",,数量", "東京,\"a\"\"b\",x,5", "大阪,c,y,7"});
  EXPECT_EQ(toUtf8(SjisString(table->itemNames().name(1))), "備\"\"考");
  EXPECT_EQ(table->itemNames().blanks(), (std::vector<uint8_t>{0, 0, 1, 0}));
  const Classification classification({1}, {3, 0}, RunOptions{});
  EXPECT_EQ(classification.orderedItems(), (std::vector<int>{1, 3, 0}));
  const ReorderedRecords records = reorderRecords(*table, classification, display);
  table.reset();
  EXPECT_EQ(toUtf8(SjisString(records.header())), "\"備\"\"考\",数量,支店");
  // The second parse collapses the doubled quotes of the names too.
  EXPECT_EQ(toUtf8(SjisString(records.itemNames().name(0))), "備\"考");
  RunOptions options;
  options.collapseQuotes = true;
  options.fullWidth = true;
  const RecordCells cells = records.cells(options);
  const CellReader reader = cells.reader();
  EXPECT_EQ(toUtf8(SjisString(reader.get(2, 0))), "ｃ");
  EXPECT_EQ(toUtf8(SjisString(reader.get(2, 1))), "７");
  EXPECT_EQ(toUtf8(SjisString(reader.get(2, 2))), "大阪");
  EXPECT_EQ(cells.longest(), (std::vector<int32_t>{6, 2, 4}));
  RunOptions halfWidth = options;
  halfWidth.fullWidth = false;
  EXPECT_EQ(records.cells(halfWidth).longest(), (std::vector<int32_t>{3, 1, 4}));
}

TEST(Products, ALayoutIsMadeOnlyOfSettingsForEveryItem) {
  LayoutSettings settings{std::vector<ItemLayout>(4), {3, 2, 5}, 1, 12};
  const Layout layout(settings);
  EXPECT_EQ(layout.lastItemIndex(), 2);
  EXPECT_EQ(layout.maxLength(2), 5);
  settings.items.pop_back();
  EXPECT_THROW(Layout{settings}, std::invalid_argument);
  settings.items.emplace_back();
  settings.firstBodyItem = 3;
  EXPECT_THROW(Layout{settings}, std::invalid_argument);
}

}  // namespace
}  // namespace headly
