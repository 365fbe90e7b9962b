#include "output/output_line.h"

#include <algorithm>
#include <cstring>

#include "text/text_files.h"

namespace headly {

void pairBlanksToFullWidth(SjisString& text) { pairBlanksToFullWidth(text.data(), text.size()); }

void pairBlanksToFullWidth(char* bytes, size_t size) {
  // A trail byte is never 0x20, so a byte-wise search cannot split a character.
  for (size_t p = 0; p + 1 < size;) {
    const void* blank = std::memchr(bytes + p, ' ', size - p - 1);
    if (!blank) return;
    p = size_t(static_cast<const char*>(blank) - bytes);
    // Every pair of a run of blanks becomes one full-width blank; one left over stays.
    while (p + 1 < size && bytes[p] == ' ' && bytes[p + 1] == ' ') {
      bytes[p] = '\x81';
      bytes[p + 1] = '\x40';
      p += 2;
    }
    ++p;
  }
}

char* writeBlankRun(char* out, size_t count, bool paired) {
  if (!paired) return std::fill_n(out, count, ' ');
  // Full-width blanks are copied from a row of them, many at a time.
  static const SjisString fullWidthBlanks = [] {
    SjisString row;
    for (int n = 0; n < 64; ++n) row += "\x81\x40";
    return row;
  }();
  for (size_t bytes = count / 2 * 2; bytes > 0;) {
    const size_t chunk = std::min(bytes, fullWidthBlanks.size());
    out = std::copy_n(fullWidthBlanks.data(), chunk, out);
    bytes -= chunk;
  }
  if (count % 2 != 0) *out++ = ' ';
  return out;
}

void appendOutputLine(LineBlock& block, SjisString& lineBuffer, bool pairBlanks) {
  if (pairBlanks) pairBlanksToFullWidth(lineBuffer);
  block.append(lineBuffer);
  block.append(kLineEnd);
  lineBuffer.clear();
}

}  // namespace headly
