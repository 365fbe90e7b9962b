// "input all records": the record limit that lets every line of the data
// file in, whatever its length next month.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace headly {

// A limit larger than the number of data lines of the file (a native path):
// one more than its CR bytes or its LF bytes, whichever are more, since a
// line ends at one of them. Taken as the program takes the limit, as a
// single-precision number, it is still larger. Nothing when the file
// cannot be read.
std::optional<uint64_t> allRecordsLimit(const std::string& nativePath);

}  // namespace headly
