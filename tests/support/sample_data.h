// The sample data of samples/ and next month's version of it.
#pragma once

#include <fstream>
#include <iterator>
#include <string>

#include "text/encoding.h"
#include "build_paths.h"

namespace headly::test {

inline std::string sampleFile(const std::string& name) {
  std::ifstream in(std::string(kSourceDir) + "/samples/" + name, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The CSV bytes with a column 日付 put in front of the others, as an export
// that gained a column: every item moves one row down the item list.
inline std::string withDateColumn(const std::string& csv) {
  std::string out;
  bool header = true;
  for (size_t start = 0; start < csv.size();) {
    const size_t end = csv.find('\n', start);
    const size_t next = end == std::string::npos ? csv.size() : end + 1;
    out += (header ? sjis("日付") : std::string("2026/11/30")) + "," + csv.substr(start, next - start);
    header = false;
    start = next;
  }
  return out;
}

}  // namespace headly::test
