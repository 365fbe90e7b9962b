// The limits a heading folder or file name is checked against before folder
// mode makes anything: a UTF-8 form, 255 bytes of it per name, 260 bytes of
// Shift-JIS per path.
#include "output/heading_name_check.h"

#include <gtest/gtest.h>

#include <string>

#include "text/encoding.h"

namespace headly {
namespace {

std::string fullWidthXs(int n) {
  std::string s;
  for (int i = 0; i < n; ++i) s += sjis("ｘ");  // 2 bytes, 3 in UTF-8
  return s;
}

TEST(HeadingNameCheck, NameLengthCountsTheBytesOfItsUtf8Form) {
  const std::string base = "C:\\B";
  EXPECT_EQ(nameFault(fullWidthXs(85), base + "\\" + fullWidthXs(85)), NameFault::None);
  EXPECT_EQ(nameFault(fullWidthXs(85) + "x", base), NameFault::NameTooLong);
  EXPECT_EQ(nameFault(std::string(255, 'n'), base), NameFault::None);
  EXPECT_EQ(nameFault(std::string(256, 'n'), base), NameFault::NameTooLong);
}

TEST(HeadingNameCheck, PathLengthCountsShiftJisBytes) {
  EXPECT_EQ(nameFault("a", std::string(260, 'p')), NameFault::None);
  EXPECT_EQ(nameFault("a", std::string(261, 'p')), NameFault::PathTooLong);
}

TEST(HeadingNameCheck, NamesWithoutAUtf8FormOrWithBytesNoNameHolds) {
  EXPECT_EQ(nameFault(sjis("あ") + "\x85\x40", "C:\\B"), NameFault::BadCharacters);  // an unassigned code
  EXPECT_EQ(nameFault("a\x82", "C:\\B"), NameFault::BadCharacters);                  // a lone lead byte
  EXPECT_EQ(nameFault("a\tb", "C:\\B"), NameFault::BadCharacters);
  EXPECT_EQ(nameFault("a\\b", "C:\\B"), NameFault::BadCharacters);
  EXPECT_EQ(nameFault(sjis("表"), "C:\\B"), NameFault::None);  // its trail byte is a backslash byte
  // The character fault is named before the length.
  EXPECT_EQ(nameFault(std::string(300, 'n') + "\x85\x40", std::string(400, 'p')), NameFault::BadCharacters);
}

}  // namespace
}  // namespace headly
