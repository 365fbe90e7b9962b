// Where TextFiles::readLines puts the lines it reads a block at a time, so
// that they go from the file's block straight to where they are kept. The
// seam between reading and the tables above: the reader finds the lines,
// the store keeps them.
#pragma once

#include <cstddef>
#include <span>
#include <string_view>

namespace headly {

// Where a whole line lies in a block read: the bytes from begin to end.
struct LineBounds {
  size_t begin, end;
};

class LineStore {
 public:
  virtual ~LineStore() = default;
  // Bytes of the line being read that more bytes follow: a line that lies
  // across two blocks of the file, or that holds NUL bytes, comes in parts.
  // The bytes are valid only during the call.
  virtual void addPart(std::string_view bytes) = 0;
  // The last bytes of the line being read, which is then complete.
  virtual void endLine(std::string_view bytes) = 0;
  // Whole lines of a block at once, as many endLine calls; the block is
  // valid only during the call.
  virtual void endLines(const char* block, std::span<const LineBounds> lines) {
    for (const LineBounds& line : lines) endLine(std::string_view(block + line.begin, line.end - line.begin));
  }
  // The lines ended so far are all there is of the blocks read: called
  // before the next block is read and when reading stops.
  virtual void blockRead() {}
};

}  // namespace headly
