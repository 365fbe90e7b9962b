// What a data file's bytes are: Shift-JIS as the program reads it, or text
// written by another tool in UTF-8 or UTF-16, and whether its lines end in a
// bare LF. Found in one pass over the file at memory speed.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "text/sjis_string.h"

namespace headly {

class TextFiles;

enum class DataEncoding { ShiftJis, Utf8WithBom, Utf8, Utf16Le, Utf16Be };

// Fed with the file's bytes block by block, in order.
class EncodingScan {
 public:
  void feed(std::string_view block);
  // A BOM decides; without one, valid UTF-8 holding at least one multi-byte
  // sequence is UTF-8, anything else Shift-JIS (pure ASCII included).
  DataEncoding encoding() const;
  // No CR byte anywhere and at least one LF: LF ends a line. Meaningful for
  // the bytes as they will be read (for UTF-16, after the conversion).
  bool lfOnly() const { return !sawCr_ && sawLf_; }
  // Nothing more can change the answers: the first bytes are in, a CR was
  // seen and the bytes are not UTF-8 (an ordinary Shift-JIS file with CR LF
  // lines is settled by its first block).
  bool settled() const { return fed_ >= sizeof head_ && sawCr_ && !utf8Valid_; }

 private:
  void checkUtf8(std::string_view block);
  uint64_t fed_ = 0;
  char head_[3] = {};
  bool sawCr_ = false, sawLf_ = false;
  bool utf8Valid_ = true, utf8MultiByte_ = false;
  // An unfinished UTF-8 sequence at the end of the last block: continuation
  // bytes still wanted and the range the next one must lie in.
  int pending_ = 0;
  unsigned char nextLow_ = 0x80, nextHigh_ = 0xBF;
};

// The scan of bytes held in memory.
EncodingScan scanBytes(std::string_view bytes);

// How the program reads a data file: where its lines end and, when it was
// converted to Shift-JIS, the converted bytes that are read instead of it.
struct InputForm {
  bool lfLineEnds = false;
  std::shared_ptr<const std::string> converted;
};

// The scan of a file (an internal path), read until the scan is settled;
// refusals raise as openFile does.
EncodingScan scanFile(TextFiles& files, const SjisString& path);
// The bytes of a whole file.
std::string readWholeFile(TextFiles& files, const SjisString& path);

}  // namespace headly
