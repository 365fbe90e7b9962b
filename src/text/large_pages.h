// Asks the system to back a large buffer with large memory pages where it
// can, so that filling it costs a page fault every two megabytes rather than
// every four kilobytes. Only advice: nothing changes where it is not taken.
#pragma once

#include <cstddef>

namespace headly {

void adviseLargePages(const void* begin, size_t bytes);

}  // namespace headly
