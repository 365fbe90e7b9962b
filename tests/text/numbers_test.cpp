#include "text/numbers.h"

#include <gtest/gtest.h>

#include "support/error_code.h"
#include "support/text_extras.h"

#include <cmath>

#include "text/runtime_error.h"

namespace headly {
namespace {

using test::roundToInt16;

TEST(ParseNumber, DecimalText) {
  EXPECT_EQ(parseNumber("  500"), 500);
  EXPECT_EQ(parseNumber("\x82\x54\x82\x4f\x82\x4f"), 0);  // ５００
  EXPECT_EQ(parseNumber(""), 0);
  EXPECT_EQ(parseNumber("   "), 0);
  EXPECT_EQ(parseNumber("12 34"), 12);
  EXPECT_EQ(parseNumber("-3"), -3);
  EXPECT_EQ(parseNumber("+7"), 7);
  EXPECT_EQ(parseNumber(".5"), 0.5);
  EXPECT_EQ(parseNumber("-.25"), -0.25);
  EXPECT_EQ(parseNumber("1.5E3"), 1500);
  EXPECT_EQ(parseNumber("2D2"), 200);
  EXPECT_EQ(parseNumber("12abc"), 12);
  EXPECT_EQ(parseNumber("abc"), 0);
  EXPECT_EQ(parseNumber("\t5"), 0);  // only 0x20 is a blank
  EXPECT_EQ(parseNumber("+x"), 0);
  EXPECT_EQ(parseNumber("1000000"), 1000000);
}

TEST(ParseNumber, HexAndOctal) {
  EXPECT_EQ(parseNumber("&H1F"), 31);
  EXPECT_EQ(parseNumber("&hff"), 255);
  EXPECT_EQ(parseNumber(" &O17"), 15);
  EXPECT_EQ(parseNumber("&o8"), 0);
  EXPECT_EQ(parseNumber("&X1"), 0);
}

TEST(ParseNumber, TooLargeIsAnOverflow) {
  EXPECT_EQ(codeOf([] { parseNumber("1E999"); }), err::kOverflow);
  EXPECT_EQ(codeOf([] { parseNumber("-1D400"); }), err::kOverflow);
  EXPECT_EQ(parseNumber("1E-999"), 0);
}

TEST(FormatNumber, PlainForms) {
  EXPECT_EQ(formatNumber(0), " 0");
  EXPECT_EQ(formatNumber(12), " 12");
  EXPECT_EQ(formatNumber(-4), "-4");
  EXPECT_EQ(formatNumber(1.5f), " 1.5");
  EXPECT_EQ(formatNumber(0.5f), " .5");
  EXPECT_EQ(formatNumber(-0.25f), "-.25");
  EXPECT_EQ(formatNumber(999999), " 999999");
  EXPECT_EQ(formatNumber(0.1f), " .1");  // the float's own digits beyond six are not shown
  EXPECT_EQ(formatNumber(3.14159274f), " 3.14159");
  EXPECT_EQ(formatNumber(100), " 100");
  EXPECT_EQ(formatNumber(0.001f), " .001");
}

TEST(FormatNumber, ExponentForms) {
  EXPECT_EQ(formatNumber(1000000), " 1E+06");
  EXPECT_EQ(formatNumber(1234567), " 1.23457E+06");
  EXPECT_EQ(formatNumber(-16777216), "-1.67772E+07");
  EXPECT_EQ(formatNumber(999999.6f), " 1E+06");  // rounds up into the next power of ten
  EXPECT_EQ(formatNumber(1e20f), " 1E+20");
  EXPECT_EQ(formatNumber(1.5e-7f), " 1.5E-07");
}

TEST(FormatCount, IntegersAlwaysInPlainDigits) {
  EXPECT_EQ(formatCount(0), " 0");
  EXPECT_EQ(formatCount(1000000), " 1000000");
  EXPECT_EQ(formatCount(16777217), " 16777217");
  EXPECT_EQ(formatCount(-12), "-12");
  EXPECT_EQ(countText(1000000), "1000000");
  EXPECT_EQ(countText(7), "7");
}

TEST(RoundToInt, HalvesAwayFromZero) {
  EXPECT_EQ(roundToInt(2.5), 3);
  EXPECT_EQ(roundToInt(-2.5), -3);
  EXPECT_EQ(roundToInt(-0.5), -1);
  EXPECT_EQ(roundToInt(2.4999), 2);
  EXPECT_EQ(roundToInt(0.49999999999999994), 0);
  EXPECT_EQ(roundToInt(2147483647.4), 2147483647);
  EXPECT_EQ(roundToInt(-2147483648.4), -2147483647 - 1);
  EXPECT_EQ(codeOf([] { roundToInt(3e9); }), err::kOverflow);
  EXPECT_EQ(codeOf([] { roundToInt(2147483647.5); }), err::kOverflow);
  EXPECT_EQ(codeOf([] { roundToInt(NAN); }), err::kOverflow);
  EXPECT_EQ(roundToInt16(32767.4), 32767);
  EXPECT_EQ(roundToInt16(-32768.4), -32768);
  EXPECT_EQ(codeOf([] { roundToInt16(32767.5); }), err::kOverflow);
}

TEST(IntegerArithmetic, FloorQuotientRemainder) {
  EXPECT_EQ(floorOf(2.7), 2);
  EXPECT_EQ(floorOf(-2.5), -3);
  EXPECT_EQ(intQuotient(7, 2), 3);
  EXPECT_EQ(intQuotient(-7, 2), -3);
  EXPECT_EQ(intQuotient(7.6, 2.4), 4);  // operands rounded first: 8 \ 2
  EXPECT_EQ(intRemainder(7, 2), 1);
  EXPECT_EQ(intRemainder(-7, 2), -1);
  EXPECT_EQ(intRemainder(7, -2), 1);
  EXPECT_EQ(codeOf([] { intQuotient(1, 0.4); }), err::kDivisionByZero);
  EXPECT_EQ(codeOf([] { intRemainder(1, 0); }), err::kDivisionByZero);
  EXPECT_EQ(codeOf([] { intQuotient(-2147483648.0, -1); }), err::kOverflow);
  EXPECT_EQ(intRemainder(-2147483648.0, -1), 0);
}

}  // namespace
}  // namespace headly
