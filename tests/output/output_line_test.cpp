#include "output/output_line.h"

#include <gtest/gtest.h>

#include "text/encoding.h"

namespace headly::test {
namespace {

std::string paired(const std::string& utf8) {
  SjisString line = sjis(utf8);
  pairBlanksToFullWidth(line);
  return toUtf8(line);
}

TEST(OutputLine, PairsOfBlanksBecomeFullWidthBlanks) {
  EXPECT_EQ(paired("a b"), "a b");
  EXPECT_EQ(paired("a  b"), "a　b");
  EXPECT_EQ(paired("a   b"), "a　 b");
  EXPECT_EQ(paired("    "), "　　");
  EXPECT_EQ(paired("     "), "　　 ");
  EXPECT_EQ(paired("  表  ソ "), "　表　ソ ");
  EXPECT_EQ(paired(" a  "), " a　");
  EXPECT_EQ(paired("a "), "a ");
  EXPECT_EQ(paired(""), "");
}

}  // namespace
}  // namespace headly::test
