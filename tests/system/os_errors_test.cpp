#include <gtest/gtest.h>

#include <cerrno>

#include "system/file_system.h"

namespace headly {
namespace {

TEST(OsErrors, ErrnoToWindowsToCode) {
  struct Case {
    int errnoValue, windows, code;
  };
  const Case cases[] = {
      {ENOENT, 2, 63},   {ENOTDIR, 3, 63},   {EACCES, 5, 75},   {EPERM, 5, 75},
      {EISDIR, 5, 75},   {EEXIST, 80, 64},   {ENOSPC, 112, 67}, {EDQUOT, 112, 67},
      {EFBIG, 112, 67},  {EROFS, 19, 73},    {EMFILE, 4, 66},   {ENFILE, 4, 66},
      {EBUSY, 32, 75},   {ENXIO, 21, 72},    {ENAMETOOLONG, 123, 55}, {ELOOP, 123, 55},
      {EIO, 31, 27},     {ENOMEM, 8, 7},     {EINVAL, 87, 5},   {EXDEV, 17, 72},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(windowsErrorFromErrno(c.errnoValue), c.windows) << "errno " << c.errnoValue;
    EXPECT_EQ(errorCodeFromErrno(c.errnoValue), c.code) << "errno " << c.errnoValue;
  }
}

TEST(OsErrors, WindowsErrorTable) {
  const std::pair<int, int> table[] = {
      {1, 5},    {2, 63},   {3, 63},   {4, 66},   {5, 75},   {8, 7},     {11, 71},  {12, 75},
      {14, 7},   {15, 72},  {16, 72},  {17, 72},  {18, 67},  {19, 73},   {20, 60},  {21, 72},
      {26, 71},  {27, 71},  {28, 60},  {29, 67},  {30, 54},  {32, 75},   {33, 75},  {34, 60},
      {39, 67},  {50, 28},  {65, 55},  {80, 64},  {87, 5},   {108, 59},  {110, 63}, {111, 61},
      {112, 67}, {113, 66}, {123, 55}, {183, 64}, {267, 55}, {1155, 55},
  };
  for (auto [windows, code] : table) EXPECT_EQ(osErrorCode(windows), code) << "error " << windows;
  for (int unlisted : {0, 6, 13, 31, 206, 9999}) EXPECT_EQ(osErrorCode(unlisted), 27) << unlisted;
}

}  // namespace
}  // namespace headly
