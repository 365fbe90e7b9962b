#include "text/full_width.h"

#include <gtest/gtest.h>

#include "text/encoding.h"

namespace headly {
namespace {

TEST(FullWidth, LettersDigitsAndSymbols) {
  EXPECT_EQ(toFullWidth("Az09"), sjis("Ａｚ０９"));
  EXPECT_EQ(toFullWidth(" !\"#$%&'()*+,-./"), sjis("　！”＃＄％＆’（）＊＋，－．／"));
  EXPECT_EQ(toFullWidth(":;<=>?@[\\]^_`{|}~"), sjis("：；＜＝＞？＠［￥］＾＿｀｛｜｝￣"));
  EXPECT_EQ(toFullWidth("\x7f"), sjis("　"));
}

TEST(FullWidth, EveryHalfWidthKana) {
  std::string halfWidth;
  for (int b = 0xA1; b <= 0xDF; ++b) halfWidth += char(b);
  EXPECT_EQ(toFullWidth(halfWidth),
            sjis("。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテトナニヌネノ"
                 "ハヒフヘホマミムメモヤユヨラリルレロワン゛゜"));
  EXPECT_EQ(toFullWidth("\xA0"), sjis("　"));
}

TEST(FullWidth, VoicedMarksMergeIntoTheKanaBefore) {
  EXPECT_EQ(toFullWidth("\xB6\xDE\xB0\xC4\xDE" "1"), sjis("ガード１"));    // ｶﾞｰﾄﾞ1
  EXPECT_EQ(toFullWidth("\xCA\xDE\xCA\xDF\xCE\xDF"), sjis("バパポ"));     // ﾊﾞﾊﾟﾎﾟ
  EXPECT_EQ(toFullWidth("\xC4\xDE\xC4\xDF"), sjis("ドト゜"));             // ﾄﾞﾄﾟ: ﾄ takes no ﾟ
  EXPECT_EQ(toFullWidth("\xB3\xDE"), sjis("ウ゛"));                      // ｳﾞ is not merged
  EXPECT_EQ(toFullWidth("\xDE" "A"), sjis("゛Ａ"));                      // nothing before it
  EXPECT_EQ(toFullWidth("\xB6\xDE\xDE"), sjis("ガ゛"));                  // only one mark merges
  EXPECT_EQ(toFullWidth("\xC5\xDE"), sjis("ナ゛"));
  EXPECT_EQ(toFullWidth("\xB5\xDF"), sjis("オ゜"));
}

TEST(FullWidth, MarksAfterDoubleByteCharactersStayMarks) {
  // 0x83 0xB6 is a double-byte character whose second byte looks like ｶ.
  EXPECT_EQ(toFullWidth("\x83\xB6\xDE"), std::string("\x83\xB6") + sjis("゛"));
  EXPECT_EQ(toFullWidth("\x83\xCA\xDF"), std::string("\x83\xCA") + sjis("゜"));
}

TEST(FullWidth, DoubleByteTextAndBytesWithoutAForm) {
  EXPECT_EQ(toFullWidth(sjis("データ表")), sjis("データ表"));
  EXPECT_EQ(toFullWidth("\x09"), sjis("■"));
  EXPECT_EQ(toFullWidth(std::string("a\0\x80\xFD\xFE\xFF", 6)), sjis("ａ■■■■■"));
  EXPECT_EQ(toFullWidth(sjis("表") + "\x81"), sjis("表■"));  // a lone lead byte at the end
  EXPECT_EQ(toFullWidth(""), "");
}

TEST(FullWidth, TextTheConversionLeavesAsItIs) {
  for (const SjisString& text : {SjisString(), sjis("データ表"), sjis("ソ表能―"), sjis("　ＡＢ")}) {
    EXPECT_TRUE(isFullWidth(text));
    EXPECT_EQ(toFullWidth(text), text);
    EXPECT_EQ(fullWidthLength(text), text.size());
  }
  for (const SjisString& text : {SjisString("a"), sjis("表a"), sjis("表") + "\x81", sjis("ﾃﾞｰﾀ"), sjis("表 表")}) {
    EXPECT_FALSE(isFullWidth(text));
    EXPECT_NE(toFullWidth(text), text);
  }
}

TEST(FullWidth, AppendKeepsWhatIsThere) {
  SjisString out = "x";
  appendFullWidth("\xB6", out);
  appendFullWidth("\xDE", out);  // a new text: the mark does not reach back
  EXPECT_EQ(out, "x" + sjis("カ゛"));
}

// The length told without converting is that of the conversion, for every
// kind of byte after every kind of byte (marks merge only after their kana).
TEST(FullWidth, LengthWithoutConvertingIsTheLengthOfTheConversion) {
  const std::string bytes[] = {"A", " ", "\xB6", "\xCA", "\xC4", "\xB3", "\xDE", "\xDF", "\x88\x9F", "\x81", "\x80", "\xFF", ""};
  for (const std::string& a : bytes)
    for (const std::string& b : bytes)
      for (const std::string& c : bytes) {
        const std::string s = a + b + c;
        EXPECT_EQ(fullWidthLength(s), toFullWidth(s).size()) << s;
        // Around and between runs of eight and more half-width letters.
        for (const std::string& t : {"ABCDEFGH" + s, a + "12345678" + b + c, s + "abcdefghi" + a})
          EXPECT_EQ(fullWidthLength(t), toFullWidth(t).size()) << t;
      }
}

}  // namespace
}  // namespace headly
