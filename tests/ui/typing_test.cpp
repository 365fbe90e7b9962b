// The typing rule both backends share: full-width digits become half-width
// ones only where a number is typed and only as whole characters.
#include <gtest/gtest.h>

#include "text/encoding.h"
#include "ui/typing.h"

namespace headly {
namespace {

TEST(TypingRule, FullWidthDigitsAreReadAsWholeCharacters) {
  EXPECT_EQ(halfWidthDigits(sjis("０１２３４５６７８９")), "0123456789");
  // 0x82 0x4F inside other characters is no digit: "\x81\x82" is one
  // character followed by "O".
  EXPECT_EQ(halfWidthDigits("\x81\x82\x4F"), "\x81\x82\x4F");
  EXPECT_EQ(halfWidthDigits(sjis("ソ１表２")), sjis("ソ1表2"));  // trail bytes 0x5C stay
  EXPECT_EQ(halfWidthDigits(sjis("Ｏ〇")), sjis("Ｏ〇"));
}

TEST(TypingRule, EachFieldTypesByItsRule) {
  const ControlSpec* indent = findControl("EDIT4");
  const ControlSpec* delimiter = findControl("EDIT2");
  ASSERT_NE(indent, nullptr);
  ASSERT_NE(delimiter, nullptr);
  EXPECT_EQ(typedInto(typingRuleOf(*indent), sjis("１２３")), "12");
  EXPECT_EQ(typedInto(typingRuleOf(*delimiter), sjis("１２３")), sjis("１２"));
  EXPECT_EQ(typedInto(kInputBoxTyping, sjis("１０００件")), sjis("1000件"));
  EXPECT_EQ(typedForm(typingRuleOf(*indent), sjis("１ａ")), sjis("1ａ"));
}

}  // namespace
}  // namespace headly
