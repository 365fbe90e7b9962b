#include "text/numbers.h"

#include <locale.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>

#include "text/runtime_error.h"

namespace headly {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The value of the digits of s in the given base (hexadecimal or octal).
double parseRadix(std::string_view s, int base) {
  double value = 0;
  for (char c : s) {
    int d;
    if (isDigit(c)) d = c - '0';
    else if (c >= 'a' && c <= 'f') d = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F') d = c - 'A' + 10;
    else break;
    if (d >= base) break;
    value = value * base + d;
  }
  if (std::isinf(value)) raise(err::kOverflow);
  return value;
}

// Length of the decimal number at the start of s: sign, digits, fraction,
// exponent (E or D); 0 when s does not begin with one.
size_t decimalLength(std::string_view s) {
  size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  const bool digitFirst = i < s.size() && isDigit(s[i]);
  const bool pointFirst = i < s.size() && s[i] == '.' && (i > 0 || (i + 1 < s.size() && isDigit(s[i + 1])));
  if (!digitFirst && !pointFirst) return 0;
  while (i < s.size() && isDigit(s[i])) ++i;
  if (i < s.size() && s[i] == '.') {
    ++i;
    while (i < s.size() && isDigit(s[i])) ++i;
  }
  if (i < s.size() && (s[i] == 'E' || s[i] == 'e' || s[i] == 'D' || s[i] == 'd')) {
    size_t j = i + 1;
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
    if (j < s.size() && isDigit(s[j])) {
      while (j < s.size() && isDigit(s[j])) ++j;
      i = j;
    }
  }
  return i;
}

// Decimal conversion that does not depend on the process's locale.
double parseDecimal(std::string text) {
  static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t(0));
  for (char& c : text)
    if (c == 'D' || c == 'd') c = 'E';
  const double value = strtod_l(text.c_str(), nullptr, cLocale);
  if (std::isinf(value)) raise(err::kOverflow);
  return value;
}

SjisString signPosition(bool negative) { return negative ? "-" : " "; }

}  // namespace

double parseNumber(std::string_view s) {
  const size_t first = s.find_first_not_of(' ');
  if (first == std::string_view::npos) return 0;
  s.remove_prefix(first);
  s = s.substr(0, s.find(' '));
  if (s.size() >= 2 && s[0] == '&') {
    if (s[1] == 'H' || s[1] == 'h') return parseRadix(s.substr(2), 16);
    if (s[1] == 'O' || s[1] == 'o') return parseRadix(s.substr(2), 8);
    return 0;
  }
  const size_t n = decimalLength(s);
  return n == 0 ? 0 : parseDecimal(std::string(s.substr(0, n)));
}

SjisString formatNumber(float x) {
  if (!std::isfinite(x)) raise(err::kOverflow);
  if (x == 0) return " 0";
  constexpr int kDigits = 6;
  // "d.ddddde+XX": the six significant digits and the decimal exponent.
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.*e", kDigits - 1, std::fabs(double(x)));
  std::string digits;
  digits += buffer[0];
  digits.append(buffer + 2, kDigits - 1);
  const int exponent = std::atoi(buffer + kDigits + 2);
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

  SjisString out = signPosition(x < 0);
  if (exponent >= kDigits || exponent < -5) {
    out += digits[0];
    if (digits.size() > 1) out += "." + digits.substr(1);
    char tail[16];
    std::snprintf(tail, sizeof tail, "E%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
    return out + tail;
  }
  if (exponent < 0) return out + "." + std::string(size_t(-exponent - 1), '0') + digits;
  const size_t integerDigits = size_t(exponent) + 1;
  if (digits.size() <= integerDigits) return out + digits + std::string(integerDigits - digits.size(), '0');
  return out + digits.substr(0, integerDigits) + "." + digits.substr(integerDigits);
}

SjisString formatCount(int64_t n) { return signPosition(n < 0) + std::to_string(n < 0 ? -uint64_t(n) : uint64_t(n)); }

SjisString countText(int64_t n) { return std::to_string(n); }

int32_t roundToInt(double x) {
  const double r = std::round(x);
  if (!(r >= double(std::numeric_limits<int32_t>::min()) && r <= double(std::numeric_limits<int32_t>::max())))
    raise(err::kOverflow);
  return int32_t(r);
}

double floorOf(double x) { return std::floor(x); }

int32_t intQuotient(double a, double b) {
  const int32_t dividend = roundToInt(a), divisor = roundToInt(b);
  if (divisor == 0) raise(err::kDivisionByZero);
  if (dividend == std::numeric_limits<int32_t>::min() && divisor == -1) raise(err::kOverflow);
  return dividend / divisor;
}

int32_t intRemainder(double a, double b) {
  const int32_t dividend = roundToInt(a), divisor = roundToInt(b);
  if (divisor == 0) raise(err::kDivisionByZero);
  if (divisor == -1) return 0;
  return dividend % divisor;
}

}  // namespace headly
