// The translation of operating-system refusals into the program's error
// codes: a POSIX errno is first given the Windows error number that means the
// same, and that number goes through the program's table of error codes.
#include <cerrno>

#include "system/file_system.h"

namespace headly {
namespace {

struct Pair {
  int from, to;
};

// errno -> Windows system error number.
constexpr Pair kErrnoToWindows[] = {
    {EPERM, 5},          // ERROR_ACCESS_DENIED
    {ENOENT, 2},         // ERROR_FILE_NOT_FOUND
    {EIO, 31},           // ERROR_GEN_FAILURE
    {ENXIO, 21},         // ERROR_NOT_READY
    {EBADF, 6},          // ERROR_INVALID_HANDLE
    {EAGAIN, 33},        // ERROR_LOCK_VIOLATION
    {ENOMEM, 8},         // ERROR_NOT_ENOUGH_MEMORY
    {EACCES, 5},         // ERROR_ACCESS_DENIED
    {EBUSY, 32},         // ERROR_SHARING_VIOLATION
    {EEXIST, 80},        // ERROR_FILE_EXISTS
    {EXDEV, 17},         // ERROR_NOT_SAME_DEVICE
    {ENODEV, 21},        // ERROR_NOT_READY
    {ENOTDIR, 3},        // ERROR_PATH_NOT_FOUND
    {EISDIR, 5},         // ERROR_ACCESS_DENIED (a folder opened as a file)
    {EINVAL, 87},        // ERROR_INVALID_PARAMETER
    {ENFILE, 4},         // ERROR_TOO_MANY_OPEN_FILES
    {EMFILE, 4},         // ERROR_TOO_MANY_OPEN_FILES
    {ETXTBSY, 32},       // ERROR_SHARING_VIOLATION
    {EFBIG, 112},        // ERROR_DISK_FULL (the file may not grow any further)
    {ENOSPC, 112},       // ERROR_DISK_FULL
    {EROFS, 19},         // ERROR_WRITE_PROTECT
    {ENAMETOOLONG, 123}, // ERROR_INVALID_NAME
    {ENOSYS, 1},         // ERROR_INVALID_FUNCTION
    {ELOOP, 123},        // ERROR_INVALID_NAME (the name cannot be resolved)
    {EILSEQ, 123},       // ERROR_INVALID_NAME
    {EOPNOTSUPP, 50},    // ERROR_NOT_SUPPORTED
    {EDQUOT, 112},       // ERROR_DISK_FULL
    {ENOMEDIUM, 21},     // ERROR_NOT_READY
};

// Windows system error number -> the program's error code.
constexpr Pair kWindowsToCode[] = {
    {1, 5},     {2, 63},    {3, 63},    {4, 66},    {5, 75},    {8, 7},     {11, 71},
    {12, 75},   {14, 7},    {15, 72},   {16, 72},   {17, 72},   {18, 67},   {19, 73},
    {20, 60},   {21, 72},   {26, 71},   {27, 71},   {28, 60},   {29, 67},   {30, 54},
    {32, 75},   {33, 75},   {34, 60},   {39, 67},   {50, 28},   {65, 55},   {80, 64},
    {87, 5},    {108, 59},  {110, 63},  {111, 61},  {112, 67},  {113, 66},  {123, 55},
    {183, 64},  {267, 55},  {1155, 55},
};

// Any Windows error number that the table does not list.
constexpr int kOtherOsError = 27;
// A POSIX error without a Windows counterpart: ERROR_GEN_FAILURE.
constexpr int kGeneralFailure = 31;

}  // namespace

int windowsErrorFromErrno(int errnoValue) {
  for (const Pair& p : kErrnoToWindows)
    if (p.from == errnoValue) return p.to;
  return kGeneralFailure;
}

int osErrorCode(int windowsError) {
  for (const Pair& p : kWindowsToCode)
    if (p.from == windowsError) return p.to;
  return kOtherOsError;
}

int errorCodeFromErrno(int errnoValue) { return osErrorCode(windowsErrorFromErrno(errnoValue)); }

}  // namespace headly
