// Text of another tool converted to Shift-JIS a piece at a time, as a file
// is read block by block: the bytes come out exactly as toShiftJisReplacing
// gives them for the whole text, however the text is cut. Characters that
// the Shift-JIS codes know go at memory speed; every other place goes
// through the converter as the whole text would.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "text/encoding.h"

namespace headly {

class PieceConverter {
 public:
  explicit PieceConverter(UnicodeForm form) : form_(form) {}
  // The room in bytes that converting a piece of that many bytes may take.
  static size_t room(size_t bytes) { return 2 * bytes + 8; }
  // Converts the front of in that no later byte can change (all of it when
  // last is true) into out, which has room(in.size()) bytes. The rest is to
  // come again, with the bytes that follow it.
  struct Done {
    size_t taken, written;
  };
  Done convert(std::string_view in, bool last, char* out);
  // What the conversion met so far (the source counted from the first byte
  // it was given).
  const ReplacedCharacters& replaced() const { return replaced_; }
  uint64_t written() const { return written_; }

 private:
  // Converts a piece the slow way to at, counting its 〓; where it ends.
  char* convertSlowly(std::string_view in, char* at);
  template <class Decode>
  char* convertQuickly(std::string_view in, char* at, Decode decode);

  UnicodeForm form_;
  uint64_t written_ = 0, taken_ = 0;
  const char* pieceIn_ = nullptr;   // the piece being converted
  const char* pieceOut_ = nullptr;  // and where it goes
  ReplacedCharacters replaced_;
};

}  // namespace headly
