#include "output/preview.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/ui_adapters.h"
#include "output/layout_fixture.h"
#include "support/recording_backend.h"
#include "text/encoding.h"
#include "ui/toolkit.h"

namespace headly {
namespace {

using test::DrawCall;
using test::RecordingBackend;

struct Bar {
  int x1, y1, x2, y2, colour;
  bool operator==(const Bar&) const = default;
};

class PreviewTest : public ::testing::Test {
 protected:
  // An item's name and settings; fullLines and remainder follow from them.
  struct Item {
    std::string name;
    float indent, startColumn, charsPerLine;
    int32_t maxLength;
    int joinPrevious = 0;
  };
  void setItems(const std::vector<Item>& items) {
    const int count = int(items.size());
    state.lastItemIndex = count - 1;
    state.cells.reset(1, count);
    state.layout.assign(size_t(count + 1), ItemLayout{});
    state.itemMaxLength.assign(size_t(count), 0);
    for (int j = 0; j < count; ++j) {
      const Item& it = items[size_t(j)];
      state.cells.set(0, j, sjis(it.name));
      ItemLayout& layout = state.layout[size_t(j)];
      layout.indent = it.indent;
      layout.startColumn = it.startColumn;
      layout.charsPerLine = it.charsPerLine;
      layout.valueMaxLength = float(it.maxLength);
      layout.joinPrevious = it.joinPrevious;
      layout.fullLines = it.maxLength / int32_t(it.charsPerLine);
      layout.remainder = it.maxLength % int32_t(it.charsPerLine);
      state.itemMaxLength[size_t(j)] = it.maxLength;
    }
  }
  void draw(int current) {
    backend.draws.clear();
    drawPreview(drawing, state.records(), state.settings(), current);
  }
  std::vector<DrawCall> texts() const { return only(DrawCall::Text); }
  std::vector<Bar> bars() const {
    std::vector<Bar> result;
    for (const DrawCall& call : only(DrawCall::Box)) result.push_back({call.x, call.y, call.x2, call.y2, call.colour});
    return result;
  }
  // The text rows of the heading items (the ruler, title lines left out).
  std::vector<std::string> rows() const {
    std::vector<std::string> result;
    for (const DrawCall& call : texts())
      if (call.y >= 100) result.push_back(toUtf8(call.text) + " @" + std::to_string(call.x) + "," + std::to_string(call.y));
    return result;
  }

  RecordingBackend backend;
  Ui ui{backend};
  UiDrawing drawing{ui};
  test::LayoutState state;

 private:
  std::vector<DrawCall> only(DrawCall::Kind kind) const {
    std::vector<DrawCall> result;
    for (const DrawCall& call : backend.draws)
      if (call.kind == kind) result.push_back(call);
    return result;
  }
};

TEST_F(PreviewTest, TitleModeAndWidthLines) {
  setItems({{"支店", 0, 0, 6, 6}, {"商品", 2, 2, 8, 8}});
  state.firstBodyItem = 1;
  state.lineWidth = 12;
  state.fullWidth = 1;
  draw(0);
  ASSERT_FALSE(backend.draws.empty());
  EXPECT_EQ(backend.draws[0].kind, DrawCall::Clear);
  const std::vector<DrawCall> t = texts();
  ASSERT_GE(t.size(), 3u);
  EXPECT_EQ(toUtf8(t[0].text), "　　　＜＜＜　レイアウト表示　＞＞＞");
  EXPECT_EQ((std::vector<int>{t[0].x, t[0].y, t[0].magX, t[0].magY, t[0].colour}), (std::vector<int>{0, 10, 2, 2, 7}));
  EXPECT_EQ(toUtf8(t[1].text), "　　　　　　　　　　　　　　　　 （全角モード）");
  EXPECT_EQ((std::vector<int>{t[1].y, t[1].magX, t[1].colour}), (std::vector<int>{40, 1, 13}));
  EXPECT_EQ(toUtf8(t[2].text), "　　　　　　　　　　　　横方向文字数　半角で最大 12字");
  EXPECT_EQ((std::vector<int>{t[2].y, t[2].magX, t[2].colour}), (std::vector<int>{55, 1, 11}));

  state.fullWidth = 0;
  state.lineWidth = 7;
  draw(0);
  EXPECT_EQ(toUtf8(texts()[1].text), "　　　　　　　　　　　　横方向文字数　半角で最大 7字");
  EXPECT_EQ(texts()[1].y, 55);
}

TEST_F(PreviewTest, HeadingRowsAsTextUnderARuler) {
  // 担当 has a longest value of 6 bytes in lines of 4: a full line and a
  // remainder of 2.
  setItems({{"支店", 0, 0, 6, 6}, {"担当", 2, 2, 4, 6}, {"商品", 4, 4, 8, 8}});
  state.firstBodyItem = state.lastItemIndex;
  state.lineWidth = 10;
  draw(1);
  std::vector<DrawCall> ruler;
  for (const DrawCall& call : texts())
    if (call.y == 80) ruler.push_back(call);
  // lineWidth + 1 digits, drawn again for each heading item.
  ASSERT_EQ(ruler.size(), 22u);
  std::string digits;
  for (size_t k = 0; k < 11; ++k) {
    digits += ruler[k].text;
    EXPECT_EQ(ruler[k].x, int(k) * 8);
    EXPECT_EQ(ruler[k].colour, ruler[k].text == "0" ? 13 : 14);
    EXPECT_EQ(ruler[k + 11].text, ruler[k].text);
  }
  EXPECT_EQ(digits, "12345678901");
  EXPECT_EQ(rows(), (std::vector<std::string>{"******　←支店 @0,100", "  ****　←担当 @0,120", "  ** @0,140"}));
  for (const DrawCall& call : texts())
    if (call.y >= 100) {
      EXPECT_EQ(call.colour, 15);
    }
  EXPECT_TRUE(bars().empty());
}

TEST_F(PreviewTest, TextRowsForShortAndLongValues) {
  // A value shorter than its line: a labelled full row, then the remainder.
  // A value of three full lines: the label on the first only.
  setItems({{"A", 0, 0, 8, 6}, {"B", 2, 2, 2, 6}, {"C", 4, 4, 4, 4}, {"D", 6, 6, 2, 2}});
  state.firstBodyItem = state.lastItemIndex;
  state.lineWidth = 8;
  draw(2);
  EXPECT_EQ(rows(), (std::vector<std::string>{"********　←A @0,100", "****** @0,120", "  **　←B @0,140", "  ** @0,160",
                                              "  ** @0,180", "    ****　←C @0,200"}));
}

TEST_F(PreviewTest, FolderMarksOnHeadingText) {
  // Folder mode sets only the first body item on FORM4; the heading items
  // above it become folders, the last one the file name.
  state.options.folderMode = true;
  setItems({{"県", 0, 0, 4, 4}, {"市", 0, 0, 4, 4}, {"町", 0, 0, 4, 4}, {"名前", 0, 0, 6, 6}, {"電話", 0, 0, 6, 6}});
  state.firstBodyItem = state.lastItemIndex;
  state.lineWidth = 6;
  draw(3);
  EXPECT_EQ(rows(), (std::vector<std::string>{"****　←県（フォルダ化） @0,100", "****　←市（フォルダ化） @0,120",
                                              "****　←町（ファイル名化） @0,140", "******　←名前 @0,160"}));
  state.options.folderMode = false;
  draw(3);
  EXPECT_EQ(rows()[2], "****　←町 @0,140");
}

TEST_F(PreviewTest, HeadingBarsAndFolderMarks) {
  state.options.folderMode = true;
  setItems({{"県", 0, 0, 4, 4}, {"市", 2, 2, 4, 4}, {"名前", 4, 4, 6, 6}, {"電話", 0, 10, 6, 6}});
  state.firstBodyItem = 2;
  state.lineWidth = 16;
  draw(3);
  const std::vector<Bar> b = bars();
  ASSERT_GE(b.size(), 4u);
  // startColumn 0: the blank box is one pixel wide and the bar starts at 1.
  EXPECT_EQ(b[0], (Bar{0, 100, 0, 110, 0}));
  EXPECT_EQ(b[1], (Bar{1, 100, 32, 110, 15}));
  EXPECT_EQ(b[2], (Bar{0, 120, 15, 130, 0}));
  EXPECT_EQ(b[3], (Bar{16, 120, 47, 130, 15}));
  EXPECT_EQ(rows(), (std::vector<std::string>{"　←県（フォルダ化） @33,100", "　←市（ファイル名化） @48,120"}));
}

TEST_F(PreviewTest, ScaleIsEightPixelsBelowEightyColumns) {
  setItems({{"支店", 0, 0, 4, 4}, {"商品", 4, 4, 10, 10, -1}, {"数量", 0, 14, 6, 6, -1}});
  state.firstBodyItem = 1;
  for (float width : {79.0f, 80.0f}) {
    state.lineWidth = width;
    draw(2);
    const std::vector<Bar> b = bars();
    ASSERT_EQ(b.size(), 4u);
    EXPECT_EQ(b[1], (Bar{1, 100, 32, 110, 15}));
    // Body items share the row below the headings, each at its own column.
    EXPECT_EQ(b[2], (Bar{32, 120, 111, 130, 9}));
    EXPECT_EQ(b[3], (Bar{112, 120, 159, 130, 9}));
  }
}

TEST_F(PreviewTest, WideLayoutsShrinkToSixHundredFortyPixels) {
  // 100 columns: 6.4 pixels a column; 15 columns are 96 pixels, 3 are 19.
  setItems({{"支店", 0, 0, 15, 18}, {"商品", 20, 20, 15, 15, -1}, {"数量", 5, 35, 3, 3}});
  state.firstBodyItem = 1;
  state.lineWidth = 100;
  draw(2);
  const std::vector<Bar> b = bars();
  ASSERT_EQ(b.size(), 5u);
  EXPECT_EQ(b[0], (Bar{0, 100, 0, 110, 0}));
  EXPECT_EQ(b[1], (Bar{1, 100, 96, 110, 15}));
  EXPECT_EQ(b[2], (Bar{1, 120, 19, 130, 15}));
  EXPECT_EQ(b[3], (Bar{128, 140, 223, 150, 9}));
  EXPECT_EQ(b[4], (Bar{256, 140, 274, 150, 11}));
  EXPECT_EQ(rows()[0], "　←支店 @97,100");
}

TEST_F(PreviewTest, SeparateBodyItemsCycleTheirColours) {
  // The first body item always joins; a joined item keeps the colour of the
  // one it joins, a separate one takes the next of 9, 11, 13.
  setItems({{"H", 0, 0, 2, 2},
            {"A", 2, 2, 4, 4, -1},
            {"B", 0, 6, 4, 4, -1},
            {"C", 2, 10, 4, 4, 0},
            {"D", 2, 16, 4, 4, 0},
            {"E", 2, 22, 4, 4, 0},
            {"F", 0, 28, 4, 8, -1}});
  state.firstBodyItem = 1;
  state.lineWidth = 32;
  draw(6);
  std::vector<int> colours;
  for (const Bar& bar : bars())
    if (bar.y1 == 120) colours.push_back(bar.colour);
  EXPECT_EQ(colours, (std::vector<int>{9, 9, 11, 13, 9, 9}));
  // Item F wraps: its second bar is one row further down.
  EXPECT_EQ(bars().back(), (Bar{224, 140, 255, 150, 9}));
}

TEST_F(PreviewTest, BodyRemainderBarsDoNotMoveTheRow) {
  setItems({{"H", 0, 0, 2, 2}, {"A", 2, 2, 4, 6, -1}, {"B", 2, 8, 2, 2, 0}});
  state.firstBodyItem = 1;
  state.lineWidth = 12;
  draw(2);
  const std::vector<Bar> b = bars();
  ASSERT_EQ(b.size(), 5u);
  EXPECT_EQ(b[2], (Bar{16, 120, 47, 130, 9}));
  EXPECT_EQ(b[3], (Bar{16, 140, 31, 150, 9}));
  EXPECT_EQ(b[4], (Bar{80, 120, 95, 130, 11}));
}

}  // namespace
}  // namespace headly
