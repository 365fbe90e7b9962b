#include "output/output_line.h"

#include <cstring>

#include "system/text_files.h"

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

void appendOutputLine(LineBlock& block, SjisString& lineBuffer, bool pairBlanks) {
  if (pairBlanks) pairBlanksToFullWidth(lineBuffer);
  block.append(lineBuffer);
  block.append(kLineEnd);
  lineBuffer.clear();
}

}  // namespace headly
