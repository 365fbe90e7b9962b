// toFullWidth and the number conversions over arbitrary bytes. The whole
// input goes through the full-width conversion; then two texts cut from it
// are read as numbers, and the numbers go through formatting, rounding and
// integer division, each checked against what its result must satisfy.
#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "fuzz_check.h"
#include "text/full_width.h"
#include "text/numbers.h"
#include "support/text_extras.h"
#include "text/runtime_error.h"

namespace headly::fuzz {
namespace {

// The code of the RuntimeError f raises, or 0.
template <typename F>
int errorOf(F&& f) {
  try {
    f();
  } catch (const RuntimeError& e) {
    return e.errorCode;
  }
  return 0;
}

void checkFullWidth(std::string_view s) {
  const SjisString wide = toFullWidth(s);
  check(wide.size() % 2 == 0 && wide.size() <= 2 * s.size(), "full width has two bytes a character, at most");
  for (size_t i = 0; i < wide.size(); i += 2)
    check(isLeadByte(static_cast<unsigned char>(wide[i])), "every full-width character starts with a lead byte");
  check(toFullWidth(wide) == wide, "full-width text stays as it is");
  SjisString appended = "\x82\xa0";
  appendFullWidth(s, appended);
  check(appended == "\x82\xa0" + wide, "appending converts the same way");
}

// Rounding halves away from zero, error 6 outside the destination's range.
template <typename T, typename Round>
void checkRounding(double x, Round round) {
  const double r = std::round(x);
  T value = 0;
  const int code = errorOf([&] { value = round(x); });
  if (r >= double(std::numeric_limits<T>::min()) && r <= double(std::numeric_limits<T>::max()))
    check(code == 0 && double(value) == r, "rounding in range gives the nearest whole number");
  else
    check(code == err::kOverflow, "rounding out of range is error 6");
}

void checkNumber(double x) {
  check(std::isfinite(x), "a parsed number is finite");
  checkRounding<int32_t>(x, roundToInt);
  checkRounding<int16_t>(x, test::roundToInt16);
  const double down = floorOf(x);
  check(down == std::trunc(down) && down <= x && (down == x || down + 1 > x), "floor is the whole number at or below");

  const float f = float(x);
  SjisString text;
  const int code = errorOf([&] { text = formatNumber(f); });
  if (!std::isfinite(f)) {
    check(code == err::kOverflow, "formatting a number beyond single precision is error 6");
    return;
  }
  check(code == 0 && !text.empty() && (text[0] == ' ' || text[0] == '-'), "formatted numbers begin with a sign position");
  check(text.find_first_not_of(" -.0123456789E+", 1) == SjisString::npos && text.find(' ', 1) == SjisString::npos,
        "formatted numbers hold digits, a point and an exponent only");
  const double back = parseNumber(text);
  check(std::fabs(back - double(f)) <= 5.00001e-6 * std::fabs(double(f)), "a formatted number reads back to 6 digits");
}

void checkDivision(double a, double b) {
  int32_t q = 0, r = 0;
  const int qCode = errorOf([&] { q = intQuotient(a, b); });
  const int rCode = errorOf([&] { r = intRemainder(a, b); });
  const int roundA = errorOf([&] { roundToInt(a); }), roundB = errorOf([&] { roundToInt(b); });
  if (roundA || roundB) {
    check(qCode == err::kOverflow && rCode == err::kOverflow, "operands out of range are error 6");
    return;
  }
  const int64_t dividend = roundToInt(a), divisor = roundToInt(b);
  if (divisor == 0) {
    check(qCode == err::kDivisionByZero && rCode == err::kDivisionByZero, "division by 0 is error 11");
    return;
  }
  check(rCode == 0 && std::llabs(r) < std::llabs(divisor) && (r == 0 || (r < 0) == (dividend < 0)),
        "the remainder is smaller than the divisor and has the dividend's sign");
  if (qCode != 0) {
    check(qCode == err::kOverflow && dividend == std::numeric_limits<int32_t>::min() && divisor == -1,
          "only the most negative number over -1 overflows");
    return;
  }
  check(int64_t(q) * divisor + r == dividend, "quotient and remainder make up the dividend");
}

void checkCount(int64_t n) {
  const SjisString digits = countText(n);
  check(formatCount(n) == (n < 0 ? digits : " " + digits), "a count is its digits after the sign position");
  check(parseNumber(formatCount(n)) == double(n), "a count reads back as itself");
}

}  // namespace
}  // namespace headly::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace headly;
  using namespace headly::fuzz;
  checkFullWidth(std::string_view(reinterpret_cast<const char*>(data), size));

  FuzzedDataProvider input(data, size);
  double numbers[2] = {0, 0};
  for (double& x : numbers) {
    const std::string text = input.ConsumeRandomLengthString(64);
    const int code = errorOf([&] { x = parseNumber(text); });
    check(code == 0 || code == err::kOverflow, "reading a number fails only by overflow");
    if (code == 0) checkNumber(x);
  }
  checkDivision(numbers[0], numbers[1]);
  checkCount(input.ConsumeIntegral<int64_t>());
  return 0;
}
