// Every error code the program raises. The message table of the error
// report (error_report.cpp) has a message for each of them.
#pragma once

namespace headly::err {

// The byte-string, number and file primitives.
inline constexpr int kBadArgument = 5;
inline constexpr int kOverflow = 6;
inline constexpr int kOutOfMemory = 7;
inline constexpr int kTableExists = 10;
inline constexpr int kDivisionByZero = 11;
inline constexpr int kStringTooLong = 15;
// The system has no converter for Shift-JIS (CP932) text.
inline constexpr int kConverterMissing = 48;
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
// A file changed by another program while it was read.
inline constexpr int kFileChanged = 1100;
// An exception that is not one of the program's errors.
inline constexpr int kInternalError = 99;

// Refusals of the operating system (os_errors.cpp maps them).
inline constexpr int kOsRefused = 27;
inline constexpr int kNotSupported = 28;
inline constexpr int kDriveLocked = 59;
inline constexpr int kDeviceUnavailable = 60;
inline constexpr int kBufferOverflow = 61;
inline constexpr int kTooManyOpenFiles = 66;
inline constexpr int kDiskUnreadable = 71;
inline constexpr int kWriteProtected = 73;

// Forms and controls: a name that is no form or control, or the wrong kind;
// a list that refused an operation or has no such entry.
inline constexpr int kNoSuchObject = 1000;
inline constexpr int kWrongKind = 1002;
inline constexpr int kNoSuchControl = 1013;
inline constexpr int kListRefused = 1016;
inline constexpr int kNoSuchEntry = 1017;

}  // namespace headly::err
