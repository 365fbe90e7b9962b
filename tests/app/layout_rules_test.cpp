#include "app/layout_rules.h"

#include <gtest/gtest.h>

#include "app/item_dialog.h"
#include "support/recording_backend.h"
#include "text/encoding.h"
#include "text/runtime_error.h"
#include "ui/toolkit.h"

namespace headly {
namespace {

TEST(CharsPerLine, WithoutFullWidthAValueNeverWraps) {
  for (float entered : {7.0f, 0.0f, -3.0f, 40.0f}) EXPECT_EQ(correctCharsPerLine(entered, 12, false), 12.0f);
  EXPECT_EQ(correctCharsPerLine(5, 0, false), 0.0f);
}

TEST(CharsPerLine, FullWidthCountsAreEvenAndCappedAtTheLongestValue) {
  EXPECT_EQ(correctCharsPerLine(7, 20, true), 8.0f);
  EXPECT_EQ(correctCharsPerLine(7, 6, true), 6.0f);
  EXPECT_EQ(correctCharsPerLine(8, 20, true), 8.0f);
  EXPECT_EQ(correctCharsPerLine(0, 20, true), 2.0f);
  EXPECT_EQ(correctCharsPerLine(-5, 20, true), 2.0f);
  EXPECT_EQ(correctCharsPerLine(0, 0, true), 0.0f);
  // Odd or even is decided on the rounded value; a fraction is kept.
  EXPECT_FLOAT_EQ(correctCharsPerLine(4.4f, 20, true), 4.4f);
  EXPECT_FLOAT_EQ(correctCharsPerLine(2.5f, 20, true), 3.5f);
}

TEST(CharsPerLine, LineStatistics) {
  EXPECT_EQ(lineStatistics(12, 5).fullLines, 2);
  EXPECT_EQ(lineStatistics(12, 5).remainder, 2);
  EXPECT_EQ(lineStatistics(6, 6).fullLines, 1);
  EXPECT_EQ(lineStatistics(6, 6).remainder, 0);
  EXPECT_EQ(lineStatistics(5, 8).fullLines, 0);
  EXPECT_EQ(lineStatistics(5, 8).remainder, 5);
  EXPECT_EQ(lineStatistics(0, 0).fullLines, 0);
  EXPECT_EQ(lineStatistics(0, 0).remainder, 0);
  // A count that rounds to 0 for a value that has bytes divides by zero.
  try {
    lineStatistics(4, 0.3f);
    FAIL() << "no error raised";
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.errorCode, err::kDivisionByZero);
  }
}

class LayoutRulesTest : public ::testing::Test {
 protected:
  void setItems(std::vector<int32_t> maxLengths, int items) {
    headingCount = items;
    state.itemMaxLength = maxLengths;
    state.items.assign(maxLengths.size() + 1, ItemLayout{});
  }
  test::RecordingBackend backend;
  Ui ui{backend};
  LayoutSettings state;
  int headingCount = 0;
  bool fullWidth = false;
};

TEST_F(LayoutRulesTest, NormaliseShowsTheCountInTheItemsDialog) {
  setItems({10, 14, 9}, 1);
  fullWidth = true;
  state.items[1].charsPerLine = 5;
  normaliseCharsPerLine(ui, state, 1, fullWidth, headingCount);
  EXPECT_EQ(state.items[1].charsPerLine, 6.0f);
  EXPECT_EQ(backend.texts["EDIT5"], "6");
  EXPECT_EQ(backend.imeModes["EDIT5"], 6);
  EXPECT_EQ(state.items[1].fullLines, 2);
  EXPECT_EQ(state.items[1].remainder, 2);
  EXPECT_EQ(backend.texts.count("EDIT6"), 0u);

  // Items after the first body item are set on FORM2.
  state.items[2].charsPerLine = 12;
  normaliseCharsPerLine(ui, state, 2, fullWidth, headingCount);
  EXPECT_EQ(backend.texts["EDIT6"], "9");
  EXPECT_EQ(state.items[2].fullLines, 1);
  EXPECT_EQ(state.items[2].remainder, 0);
}

TEST_F(LayoutRulesTest, LineWidthIsTheWidestItemSoFar) {
  setItems({6, 4, 10, 8}, 3);
  const float settings[][2] = {{0, 6}, {2, 4}, {4, 10}, {1, 2}};
  for (int j = 0; j < 4; ++j) {
    state.items[size_t(j)].indent = settings[j][0];
    state.items[size_t(j)].charsPerLine = settings[j][1];
  }
  computeLineWidth(state, 1, false);
  EXPECT_EQ(state.lineWidth, 6.0f);
  computeLineWidth(state, 3, false);
  EXPECT_EQ(state.lineWidth, 14.0f);
  // In folder mode each heading is a name of its own: only the item counts.
  computeLineWidth(state, 3, true);
  EXPECT_EQ(state.lineWidth, 3.0f);
  computeLineWidth(state, 0, false);
  EXPECT_EQ(state.lineWidth, 6.0f);
}

TEST(ItemDialogTexts, NumbersWithoutTheSignPosition) {
  EXPECT_EQ(fieldNumberText(7), "7");
  EXPECT_EQ(fieldNumberText(0), "0");
  EXPECT_EQ(fieldNumberText(120), "120");
  EXPECT_EQ(fieldNumberText(2.5f), "2.5");
  EXPECT_EQ(fieldNumberText(0.5f), ".5");
  EXPECT_EQ(toUtf8(maxLengthText(12)), "最大文字数 12字");
  EXPECT_EQ(toUtf8(maxLengthText(0)), "最大文字数 0字");
}

}  // namespace
}  // namespace headly
