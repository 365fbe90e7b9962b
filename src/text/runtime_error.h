// The error model: every primitive that fails raises a RuntimeError carrying
// a numeric code; callers never test results for failure.
#pragma once

#include <exception>

#include <utility>

#include "text/error_codes.h"
#include "text/sjis_string.h"

namespace headly {

class RuntimeError : public std::exception {
 public:
  explicit RuntimeError(int code, SjisString what = {}) : errorCode(code), detail(std::move(what)) {}
  const char* what() const noexcept override { return "headly runtime error"; }
  int errorCode;
  // What was refused and why, in a sentence that the error report shows
  // below its message; empty when the code says all there is.
  SjisString detail;
};

[[noreturn]] inline void raise(int code) { throw RuntimeError(code); }
[[noreturn]] inline void raise(int code, SjisString detail) { throw RuntimeError(code, std::move(detail)); }

}  // namespace headly
