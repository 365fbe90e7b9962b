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
  // Converting only while the text is valid UTF-8, it stops before the
  // first stretch that is not (what it wrote then is of no use): it never
  // writes more bytes than it took, and a word.
  enum class OnInvalid { Replace, Stop };
  explicit PieceConverter(UnicodeForm form, OnInvalid onInvalid = OnInvalid::Replace)
      : form_(form), stopAtInvalid_(onInvalid == OnInvalid::Stop) {}
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
  // UTF-8 only: every byte converted so far made a whole character (one
  // cut off by the end of the text, which last says, does not).
  bool allValid() const { return allValid_; }
  // A character beyond ASCII was converted.
  bool sawNonAscii() const { return sawNonAscii_; }
  // Takes in what a converter of the text right after this one's did, as if
  // this one had gone on: two halves of a text converted at once.
  void append(const PieceConverter& next);

 private:
  // Converts a piece the slow way to at, counting its 〓; where it ends.
  char* convertSlowly(std::string_view in, char* at);
  char* convertUtf8Quickly(std::string_view in, char* at);
  char* convertUtf16Quickly(std::string_view in, char* at);

  UnicodeForm form_;
  bool stopAtInvalid_;
  uint64_t written_ = 0, taken_ = 0;
  const char* pieceIn_ = nullptr;   // the piece being converted
  const char* pieceOut_ = nullptr;  // and where it goes
  ReplacedCharacters replaced_;
  bool allValid_ = true, sawNonAscii_ = false;
};

}  // namespace headly
