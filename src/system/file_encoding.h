// What a data file's bytes are: Shift-JIS as the program reads it, or text
// written by another tool in UTF-8 or UTF-16, and whether its lines end in a
// bare LF. Found in one pass over the file at memory speed.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "text/encoding.h"
#include "text/piece_conversion.h"
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
  // For UTF-8 (with or without a BOM) whose every character the Shift-JIS
  // codes know, the bytes of its text after the BOM in Shift-JIS; nothing
  // when the conversion has more to say (what became 〓, where).
  std::optional<uint64_t> shiftJisSize() const;
  // With that size: the characters Shift-JIS reads in its own form.
  uint64_t ownForms() const { return ownForms_; }

 private:
  void checkUtf8(std::string_view block);
  // Adds a whole character to the Shift-JIS size; at is its offset in the file.
  void measure(char32_t code, int length, uint64_t at);
  [[gnu::noinline]] void countOwnForm(char32_t code);
  uint64_t fed_ = 0;
  char head_[3] = {};
  bool sawCr_ = false, sawLf_ = false;
  bool utf8Valid_ = true, utf8MultiByte_ = false;
  // An unfinished UTF-8 sequence at the end of the last block: continuation
  // bytes still wanted and the range the next one must lie in.
  int pending_ = 0;
  unsigned char nextLow_ = 0x80, nextHigh_ = 0xBF;
  // That character so far, its length and where it started.
  char32_t pendingCode_ = 0;
  int pendingLength_ = 0;
  uint64_t pendingAt_ = 0;
  uint64_t shiftJisBytes_ = 0, ownForms_ = 0;
  bool allKnown_ = true;
  ShiftJisCodes* codes_ = nullptr;  // taken when the first character is measured
};

// How the program reads a data file: where its lines end, the bytes at its
// start that are no part of the text (a BOM), and, when it is converted to
// Shift-JIS as it is read, from what and how many bytes that gives.
struct InputForm {
  bool lfLineEnds = false;
  uint64_t skipped = 0;
  std::optional<UnicodeForm> convertedFrom;
  uint64_t convertedSize = 0;
};

// The scan of a file (an internal path), read until the scan is settled;
// refusals raise as openFile does.
EncodingScan scanFile(TextFiles& files, const SjisString& path);
// Reads a file as form says (its convertedSize aside), handing its bytes to
// take a piece at a time, in order, with what the conversion met up to the
// end of the piece at least.
void readConverted(TextFiles& files, const SjisString& path, const InputForm& form,
                   const std::function<void(std::string_view piece, const ReplacedCharacters& replaced)>& take);

}  // namespace headly
