#include "output/output_line.h"

#include <gtest/gtest.h>

#include "text/encoding.h"

namespace headly::test {
namespace {

// Named apart from body_layout_test.cpp's paired(): test files are compiled
// several to a unit.
std::string blanksPaired(const std::string& utf8) {
  SjisString line = sjis(utf8);
  pairBlanksToFullWidth(line);
  return toUtf8(line);
}

TEST(OutputLine, PairsOfBlanksBecomeFullWidthBlanks) {
  EXPECT_EQ(blanksPaired("a b"), "a b");
  EXPECT_EQ(blanksPaired("a  b"), "a　b");
  EXPECT_EQ(blanksPaired("a   b"), "a　 b");
  EXPECT_EQ(blanksPaired("    "), "　　");
  EXPECT_EQ(blanksPaired("     "), "　　 ");
  EXPECT_EQ(blanksPaired("  表  ソ "), "　表　ソ ");
  EXPECT_EQ(blanksPaired(" a  "), " a　");
  EXPECT_EQ(blanksPaired("a "), "a ");
  EXPECT_EQ(blanksPaired(""), "");
}

TEST(OutputLine, ABlankRunWrittenPairedIsWhatPairingLeaves) {
  // Every way a run ends: eight blanks at a time, then four, two, one and a half-width one.
  for (size_t count = 0; count <= 40; ++count) {
    SjisString expected = "a" + std::string(count, ' ') + "b";
    pairBlanksToFullWidth(expected);
    for (const bool pairedRun : {true, false}) {
      SjisString line(count + 2, '?');
      line[0] = 'a';
      char* end = writeBlankRun(line.data() + 1, count, pairedRun);
      *end++ = 'b';
      line.resize(size_t(end - line.data()));
      EXPECT_EQ(line, pairedRun ? expected : "a" + std::string(count, ' ') + "b") << count;
    }
  }
}

}  // namespace
}  // namespace headly::test
