// The oracle of the byte searches: where the first c at or after from
// stands in s, or the end of s.
#pragma once

#include <string>

namespace headly::test {

inline size_t plainFind(const std::string& s, size_t from, char c) {
  const size_t at = s.find(c, from);
  return at == std::string::npos ? s.size() : at;
}

}  // namespace headly::test
