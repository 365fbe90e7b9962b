// The error model: every primitive that fails raises a RuntimeError carrying
// a numeric code; callers never test results for failure.
#pragma once

#include <exception>

#include "text/error_codes.h"

namespace headly {

class RuntimeError : public std::exception {
 public:
  explicit RuntimeError(int code) : errorCode(code) {}
  const char* what() const noexcept override { return "headly runtime error"; }
  int errorCode;
};

[[noreturn]] inline void raise(int code) { throw RuntimeError(code); }

}  // namespace headly
