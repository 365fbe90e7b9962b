#include "text/sjis_string.h"

#include <gtest/gtest.h>

#include "support/error_code.h"
#include "support/text_extras.h"

#include "text/encoding.h"
#include "text/runtime_error.h"

namespace headly {
namespace {

using test::byteChar;
using test::concat;
using test::findBytes;
using test::fromUtf8RoundTrip;
using test::leftBytes;
using test::overwriteBytes;
using test::rightBytes;
using test::roundToInt16;

TEST(SjisString, Cutting) {
  EXPECT_EQ(midBytes("ABC", 4, 1), "");
  EXPECT_EQ(midBytes("ABC", 2, kRestOfString), "BC");
  EXPECT_EQ(midBytes("ABC", 1, 0), "");
  EXPECT_EQ(codeOf([] { midBytes("ABC", 0, 1); }), err::kBadArgument);
  EXPECT_EQ(codeOf([] { midBytes("ABC", 1, -1); }), err::kBadArgument);
  EXPECT_EQ(leftBytes("ABC", 5), "ABC");
  EXPECT_EQ(rightBytes("ABC", 0), "");
  EXPECT_EQ(rightBytes("ABC", 2), "BC");
  EXPECT_EQ(codeOf([] { leftBytes("ABC", -1); }), err::kBadArgument);
  EXPECT_EQ(codeOf([] { rightBytes("ABC", -1); }), err::kBadArgument);
  EXPECT_EQ(byteLength(sjis("データ")), 6);
  EXPECT_EQ(midBytes(std::string("a\0b", 3), 2, 2), std::string("\0b", 2));
}

TEST(SjisString, Searching) {
  EXPECT_EQ(findBytes(1, "A,B", ","), 2);
  EXPECT_EQ(findBytes(3, "A,B", ","), 0);
  EXPECT_EQ(findBytes(2, "AB", ""), 2);
  EXPECT_EQ(findBytes(1, "", ""), 0);
  EXPECT_EQ(findBytes(4, "AB", ""), 0);
  EXPECT_EQ(findBytes(1, "AB", "ABC"), 0);
  EXPECT_EQ(codeOf([] { findBytes(0, "AB", "A"); }), err::kBadArgument);
  // A match may begin on the second byte of a double-byte character.
  EXPECT_EQ(findBytes(1, sjis("表"), "\\"), 2);
}

TEST(SjisString, ComparingAndBuilding) {
  EXPECT_LT(compareBytes("AB", "ABC"), 0);
  EXPECT_GT(compareBytes("\x81", "A"), 0);  // bytes compare unsigned
  EXPECT_EQ(compareBytes("", ""), 0);
  EXPECT_EQ(byteChar({0x81, 0x40}), sjis("　"));
  EXPECT_EQ(byteChar({0}), std::string(1, '\0'));
  EXPECT_EQ(codeOf([] { byteChar({256}); }), err::kBadArgument);
  EXPECT_EQ(codeOf([] { byteChar({-1}); }), err::kBadArgument);
  EXPECT_EQ(blanks(3), "   ");
  EXPECT_EQ(codeOf([] { blanks(-1); }), err::kBadArgument);
  EXPECT_EQ(repeatByte(3, "-x"), "---");
  EXPECT_EQ(codeOf([] { repeatByte(3, ""); }), err::kBadArgument);
  EXPECT_EQ(concat("AB", "C"), "ABC");
}

TEST(SjisString, OverwriteInPlace) {
  SjisString v = "ABCDE";
  overwriteBytes(v, 4, 2, "XYZ");
  EXPECT_EQ(v, "ABCXY");
  v = "ABCDE";
  overwriteBytes(v, 5, 2, "XYZ");
  EXPECT_EQ(v, "ABCDX");
  EXPECT_EQ(codeOf([&] { overwriteBytes(v, 6, 2, "XYZ"); }), err::kBadArgument);
  overwriteBytes(v, 99, 0, "XYZ");
  EXPECT_EQ(v, "ABCDX");
  EXPECT_EQ(codeOf([&] { overwriteBytes(v, 0, 1, "X"); }), err::kBadArgument);
}

TEST(Encoding, RoundTripOfNativeNames) {
  EXPECT_EQ(fromUtf8RoundTrip("表ソ.csv"), sjis("表ソ.csv"));
  EXPECT_EQ(fromUtf8RoundTrip("\xC2\xA5"), std::nullopt);       // ¥ would become 0x5C
  EXPECT_EQ(fromUtf8RoundTrip("\xE3\x80\x9C"), std::nullopt);   // 〜 comes back as ～
  EXPECT_EQ(fromUtf8RoundTrip("\xEF\xBD\x9E"), sjis("～"));
  EXPECT_EQ(fromUtf8RoundTrip("\xF0\x9F\x98\x80"), std::nullopt);  // no Shift-JIS form
  EXPECT_EQ(toUtf8(sjis("ｶﾞ")), "ｶﾞ");
  EXPECT_EQ(toUtf8Exact("\x81"), std::nullopt);
  EXPECT_EQ(toUtf8("a\x80" "b"), "a\xEF\xBF\xBD" "b");
}

}  // namespace
}  // namespace headly
