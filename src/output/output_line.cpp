#include "output/output_line.h"

#include "text/text_files.h"

namespace headly {

void pairBlanksToFullWidth(SjisString& line) {
  // A trail byte is never 0x20, so a byte-wise scan cannot split a character.
  const size_t size = line.size();
  for (size_t p = 0; p + 1 < size;) {
    if (line[p] == ' ' && line[p + 1] == ' ') {
      line[p] = '\x81';
      line[p + 1] = '\x40';
      p += 2;
    } else {
      ++p;
    }
  }
}

void writeOutputLine(TextFiles& files, SjisString& lineBuffer, bool fullWidth) {
  if (fullWidth) pairBlanksToFullWidth(lineBuffer);
  files.writeLine(1, lineBuffer);
  lineBuffer.clear();
}

}  // namespace headly
