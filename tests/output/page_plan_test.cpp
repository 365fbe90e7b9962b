// The pages of a layout: how many lines stand on each, which headings a page
// carries over, and that a record is cut only when no page could hold it.
#include "output/page_plan.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "output/page_format.h"

namespace headly {
namespace {

using Page = std::vector<std::string>;

// Keeps every page as its lines, a carried heading marked "+".
class PageRecord : public PageSink {
 public:
  void beginPage() override { pages.emplace_back(); }
  void line(std::string_view text, bool carried) override { pages.back().push_back((carried ? "+" : "") + std::string(text)); }
  void endPage() override { ++ended; }
  std::vector<Page> pages;
  int ended = 0;
};

// A block in the layouter's form: "0:x" a heading of level 0, "r:a|b" a
// record of lines a and b.
LayoutBlock blockOf(const std::vector<std::string>& parts) {
  LayoutBlock block;
  for (const std::string& part : parts) {
    const bool record = part[0] == 'r';
    block.marks.push_back({block.lines.size(), record ? kRecordLines : part[0] - '0'});
    std::string lines = part.substr(2);
    for (size_t at; (at = lines.find('|')) != std::string::npos;) lines.replace(at, 1, "\r\n");
    block.lines.append(lines + "\r\n");
  }
  return block;
}

std::vector<Page> plan(int32_t linesPerPage, const std::vector<std::vector<std::string>>& blocks) {
  PageRecord record;
  PagePlan pages(linesPerPage, record);
  for (const auto& parts : blocks) pages.add(blockOf(parts));
  pages.finish();
  EXPECT_EQ(record.ended, int(record.pages.size()));
  EXPECT_EQ(pages.pages(), int64_t(record.pages.size()));
  return record.pages;
}

TEST(PagePlan, PagesInsideAGroupRepeatTheHeadingsInForce) {
  const auto pages = plan(4, {{"0:A", "1: a", "r:  1", "r:  2", "r:  3"}, {"1: b", "r:  4", "0:B", "r:  5"}});
  EXPECT_EQ(pages, (std::vector<Page>{{"A", " a", "  1", "  2"},
                                      {"+A", "+ a", "  3"},  // b goes with its record
                                      {"+A", " b", "  4"},
                                      {"B", "  5"}}))
      << "a new level-0 group carries nothing";
}

TEST(PagePlan, RecordsMoveWholeToTheNextPageAndAreCutOnlyWhenTooLong) {
  EXPECT_EQ(plan(5, {{"0:H", "r:a|a", "r:b|b|b"}}),
            (std::vector<Page>{{"H", "a", "a"}, {"+H", "b", "b", "b"}}));
  // Five lines with one carried heading never fit: cut where the page ends.
  EXPECT_EQ(plan(5, {{"0:H", "r:a|a", "r:1|2|3|4|5"}}),
            (std::vector<Page>{{"H", "a", "a", "1", "2"}, {"+H", "3", "4", "5"}}));
}

TEST(PagePlan, HeadingsOfSeveralLinesAndTooManyToCarry) {
  // A heading wrapped over two lines is carried whole; carried lines leave
  // room for one line of the page's own.
  EXPECT_EQ(plan(3, {{"0:Lo|ng", "r:1", "r:2", "r:3"}}),
            (std::vector<Page>{{"Lo", "ng", "1"}, {"+Lo", "+ng", "2"}, {"+Lo", "+ng", "3"}}));
  EXPECT_EQ(plan(2, {{"0:Lo|ng", "r:1"}}), (std::vector<Page>{{"Lo", "ng"}, {"+Lo", "1"}}));
}

TEST(PagePlan, EmptyLayoutStillHasOnePage) { EXPECT_EQ(plan(10, {}), (std::vector<Page>{{}})); }

TEST(PageFormat, LargestSizeThatFitsAndLandscapeBelowEightPoints) {
  struct Case {
    int64_t columns;
    double size;
    bool landscape;
    int32_t lines;
  };
  // 180 mm across upright (510.2 pt), 267 mm on its side (756.9 pt): 128
  // columns would need 7.9 pt upright and get 10.5 pt on their side.
  for (const Case& c : {Case{1, 10.5, false, 49}, Case{97, 10.5, false, 49}, Case{98, 10.4, false, 49},
                        Case{127, 8.0, false, 64}, Case{128, 10.5, true, 32}, Case{189, 8.0, true, 0},
                        Case{400, 3.7, true, 0}}) {
    const PageFormat f = pageFormatFor(c.columns);
    EXPECT_DOUBLE_EQ(f.size, c.size) << c.columns;
    EXPECT_EQ(f.landscape, c.landscape) << c.columns;
    EXPECT_LE(double(c.columns) * f.size / 2, f.width - 2 * f.margin) << c.columns;
    if (c.lines > 0) {
      EXPECT_EQ(f.linesPerPage, c.lines) << c.columns;
    }
    // The last line stays above the footer band.
    EXPECT_LT(f.firstBaseline + (f.linesPerPage - 1) * f.pitch, f.footerBaseline - f.markSize) << c.columns;
  }
  EXPECT_DOUBLE_EQ(pageFormatFor(128).width, 297 * 72 / 25.4);
}

}  // namespace
}  // namespace headly
