// Consecutive lines of a line table, read where they lie: the one place
// that says where a line of the table begins and ends.
#pragma once

#include <cstddef>
#include <string_view>

namespace headly {

// Lines first..last-1: line i holds the bytes from ends[i - 1] (from 0 for
// line 0) to ends[i].
struct LineRun {
  const char* bytes;
  const size_t* ends;
  size_t first, last;

  std::string_view operator[](size_t i) const {
    const size_t begin = i == 0 ? 0 : ends[i - 1];
    return std::string_view(bytes + begin, ends[i] - begin);
  }
};

}  // namespace headly
