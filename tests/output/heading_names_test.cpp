#include "output/heading_names.h"

#include <gtest/gtest.h>

#include "text/encoding.h"

namespace headly::test {
namespace {

std::string name(HeadingNames& names, int level, const std::string& value) {
  return toUtf8(names.nameAtBreak(level, sjis(value)));
}

TEST(HeadingNames, NumbersHaveTheDigitsOfTheRecordCount) {
  HeadingNames nine(1, true, 9), ten(1, true, 10), thousand(1, true, 1000);
  EXPECT_EQ(name(nine, 0, "Ａ"), "1_Ａ.TXT");
  EXPECT_EQ(name(ten, 0, "Ａ"), "01_Ａ.TXT");
  EXPECT_EQ(name(thousand, 0, "Ａ"), "0001_Ａ.TXT");
  EXPECT_EQ(toUtf8(thousand.numberPrefix()), "0001_");
}

TEST(HeadingNames, DeeperLevelsCountAgainAfterABreakAbove) {
  // 120 records, two levels, values (a, x), (a, y), (b, x), (a, x).
  HeadingNames names(2, true, 120);
  EXPECT_EQ(name(names, 0, "ａ"), "001_ａ");
  EXPECT_EQ(name(names, 1, "ｘ"), "001_ｘ.TXT");
  EXPECT_EQ(name(names, 1, "ｙ"), "002_ｙ.TXT");
  EXPECT_EQ(name(names, 0, "ｂ"), "002_ｂ");
  EXPECT_EQ(name(names, 1, "ｘ"), "001_ｘ.TXT");
  EXPECT_EQ(name(names, 0, "ａ"), "003_ａ");
  EXPECT_EQ(name(names, 1, "ｘ"), "001_ｘ.TXT");
}

TEST(HeadingNames, WithoutNumberingTheValueAsItStands) {
  HeadingNames names(3, false, 120);
  EXPECT_EQ(name(names, 0, "東京／本店"), "東京／本店");
  EXPECT_EQ(name(names, 1, ""), "？");
  EXPECT_EQ(name(names, 2, ""), "？.TXT");
  EXPECT_TRUE(names.numberPrefix().empty());
}

TEST(HeadingNames, EmptyValueKeepsItsNumber) {
  HeadingNames names(2, true, 5);
  EXPECT_EQ(name(names, 0, ""), "1_？");
  EXPECT_EQ(name(names, 1, ""), "1_？.TXT");
}

}  // namespace
}  // namespace headly::test
