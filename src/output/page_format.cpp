#include "output/page_format.h"

#include <algorithm>
#include <cmath>

namespace headly {

namespace {

constexpr double kPointsPerMm = 72.0 / 25.4;
constexpr double kShortSide = 210 * kPointsPerMm, kLongSide = 297 * kPointsPerMm;
constexpr double kMargin = 15 * kPointsPerMm;
constexpr double kLargestSize = 10.5, kSmallestUpright = 8.0;
constexpr double kMarkSize = 9.0;
constexpr double kPitchPerSize = 1.4;
// Header and footer each take their line and a gap of half of it.
constexpr double kMarkBand = 1.5 * kPitchPerSize * kMarkSize;

// The largest size in steps of 0.1 pt, up to 10.5 pt, at which columns bytes
// fit into width; a line too long for 0.1 pt gets the size it needs.
double fittingSize(double width, int64_t columns) {
  const double exact = 2 * width / double(std::max<int64_t>(columns, 1));
  const double stepped = std::floor(exact * 10 + 1e-9) / 10;
  return std::min(kLargestSize, stepped > 0 ? stepped : exact);
}

}  // namespace

PageFormat pageFormatFor(int64_t columns) {
  PageFormat f;
  f.margin = kMargin;
  f.size = fittingSize(kShortSide - 2 * kMargin, columns);
  f.landscape = f.size < kSmallestUpright;
  if (f.landscape) f.size = fittingSize(kLongSide - 2 * kMargin, columns);
  f.width = f.landscape ? kLongSide : kShortSide;
  f.height = f.landscape ? kShortSide : kLongSide;
  f.markSize = kMarkSize;
  f.pitch = kPitchPerSize * f.size;
  f.headerBaseline = kMargin + kMarkSize;
  f.footerBaseline = f.height - kMargin;
  const double bodyTop = kMargin + kMarkBand;
  const double bodyHeight = f.height - 2 * kMargin - 2 * kMarkBand;
  // A line's descent is below its baseline: the first baseline stands one
  // size below the top, the others a pitch apart.
  f.firstBaseline = bodyTop + f.size;
  f.linesPerPage = std::max(1, int32_t((bodyHeight - f.size) / f.pitch) + 1);
  return f;
}

double markSizeFor(const PageFormat& format, int64_t columns) {
  return std::min(format.markSize, 2 * (format.width - 2 * format.margin) / double(std::max<int64_t>(columns, 1)));
}

}  // namespace headly
