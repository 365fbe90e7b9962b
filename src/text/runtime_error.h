// The error model: every primitive that fails raises a RuntimeError carrying
// a numeric code; callers never test results for failure.
#pragma once

#include <exception>

namespace headly {

class RuntimeError : public std::exception {
 public:
  explicit RuntimeError(int code) : errorCode(code) {}
  const char* what() const noexcept override { return "headly runtime error"; }
  int errorCode;
};

[[noreturn]] inline void raise(int code) { throw RuntimeError(code); }

// Codes raised by the byte-string, number and file primitives.
namespace err {
inline constexpr int kBadArgument = 5;
inline constexpr int kOverflow = 6;
inline constexpr int kOutOfMemory = 7;
inline constexpr int kTableExists = 10;
inline constexpr int kDivisionByZero = 11;
inline constexpr int kStringTooLong = 15;
inline constexpr int kBadFileNumber = 50;
inline constexpr int kBadFileMode = 51;
inline constexpr int kFileAlreadyOpen = 52;
inline constexpr int kReadPastEnd = 54;
inline constexpr int kBadFileName = 55;
inline constexpr int kFileNotOpen = 57;
inline constexpr int kFileNotFound = 63;
inline constexpr int kFileExists = 64;
inline constexpr int kDiskFull = 67;
inline constexpr int kDriveNotReady = 72;
inline constexpr int kAccessDenied = 75;
}  // namespace err

}  // namespace headly
