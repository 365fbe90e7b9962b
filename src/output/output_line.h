// appendOutputLine: the one way every line of the layout output joins the
// block of lines that goes to its file, in file mode and in folder mode.
#pragma once

#include <algorithm>
#include <cstring>

#include "output/line_block.h"
#include "text/sjis_string.h"

namespace headly {

// Turns every pair of half-width blanks into one full-width blank "　", left
// to right, in place: a run of 2m+1 blanks becomes m full-width blanks and a
// half-width one.
void pairBlanksToFullWidth(SjisString& text);
// The same over the size bytes at bytes.
void pairBlanksToFullWidth(char* bytes, size_t size);

// Writes a run of count blanks at out as that rule leaves it when paired,
// else as half-width blanks; returns the end. Runs are mostly short: inline,
// eight full-width blanks at a time and then four, two and one.
inline char* writeBlankRun(char* out, size_t count, bool paired) {
  if (!paired) return std::fill_n(out, count, ' ');
  constexpr char kEight[16] = {'\x81', '\x40', '\x81', '\x40', '\x81', '\x40', '\x81', '\x40',
                               '\x81', '\x40', '\x81', '\x40', '\x81', '\x40', '\x81', '\x40'};
  size_t pairs = count / 2;
  for (; pairs >= 8; pairs -= 8, out += sizeof kEight) std::memcpy(out, kEight, sizeof kEight);
  if (pairs & 4) out = static_cast<char*>(std::memcpy(out, kEight, 8)) + 8;
  if (pairs & 2) out = static_cast<char*>(std::memcpy(out, kEight, 4)) + 4;
  if (pairs & 1) out = static_cast<char*>(std::memcpy(out, kEight, 2)) + 2;
  if (count % 2 != 0) *out++ = ' ';
  return out;
}

// Appends lineBuffer with its line end to block (with the blank rule above
// when pairBlanks: in full-width mode, for a line whose blanks are not
// paired yet) and empties it, keeping its storage for the next line.
void appendOutputLine(LineBlock& block, SjisString& lineBuffer, bool pairBlanks);

}  // namespace headly
