// Conversions between numbers and text, and the integer conversions of
// numbers. Counts, indices and positions are held as integers; single
// precision is kept only for values a user may type with a fraction.
#pragma once

#include <cstdint>
#include <string_view>

#include "text/sjis_string.h"

namespace headly {

// The number that s begins with (leading 0x20 skipped, &H / &O prefixes), or
// 0. A value too large for a double raises error 6.
double parseNumber(std::string_view s);

// Decimal text with a sign position in front (" 12", "-3", " .5"), rounded to
// 6 significant digits as a stored single-precision value; exponent form
// (" 1E+06") when the integer part needs more digits.
SjisString formatNumber(float x);
// The same for an integer count: always plain digits (" 1000000").
SjisString formatCount(int64_t n);
// An integer count without the sign position, as the program shows it.
SjisString countText(int64_t n);

// Halves away from zero; outside the 32-bit range error 6.
int32_t roundToInt(double x);
// Rounds toward minus infinity.
double floorOf(double x);
// Integer quotient (truncated) and remainder (sign of the dividend) of the
// operands rounded with roundToInt; divisor 0 raises error 11.
int32_t intQuotient(double a, double b);
int32_t intRemainder(double a, double b);

}  // namespace headly
