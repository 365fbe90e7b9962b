#include "ui/script/record_limit.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <fstream>

namespace headly {

std::optional<uint64_t> allRecordsLimit(const std::string& nativePath) {
  std::ifstream in(nativePath, std::ios::binary);
  if (!in) return std::nullopt;
  uint64_t crs = 0, lfs = 0;
  std::array<char, 1 << 16> block;
  while (in.read(block.data(), block.size()) || in.gcount() > 0) {
    const auto end = block.begin() + in.gcount();
    crs += uint64_t(std::count(block.begin(), end, '\r'));
    lfs += uint64_t(std::count(block.begin(), end, '\n'));
  }
  if (in.bad()) return std::nullopt;
  const uint64_t limit = std::max(crs, lfs) + 1;
  // The nearest float may lie below the count: take the next one up.
  float asTaken = float(limit);
  if (double(asTaken) < double(limit)) asTaken = std::nextafter(asTaken, INFINITY);
  return uint64_t(asTaken);
}

}  // namespace headly
