// What a data file's bytes are: Shift-JIS as the program reads it, or text
// written by another tool in UTF-8 or UTF-16, and whether its lines end in a
// bare LF. Found in one pass over the file at memory speed.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "system/mapped_bytes.h"
#include "text/encoding.h"
#include "text/piece_conversion.h"
#include "text/sjis_string.h"

namespace headly {

class HelperThread;
class TextFiles;

// Text converted ahead of its reading, in one stretch of memory that the
// lines read from it may take over: how many bytes it is and the characters
// replaced in it.
struct ConvertedAhead {
  std::shared_ptr<MappedBytes> text = std::make_shared<MappedBytes>();
  uint64_t size = 0;
  ReplacedCharacters replaced;
};

enum class DataEncoding { ShiftJis, Utf8WithBom, Utf8, Utf16Le, Utf16Be };

// Fed with the file's bytes block by block, in order. While the bytes may
// be UTF-8 they are converted to Shift-JIS as they come, so that a UTF-8
// file is read from the disk and converted once.
class EncodingScan {
 public:
  EncodingScan();
  ~EncodingScan();
  EncodingScan(EncodingScan&&) noexcept;
  EncodingScan& operator=(EncodingScan&&) noexcept;

  // When the block is converted on two threads at once, meanwhile runs on
  // this one while the other finishes its larger part (reading the next
  // block, say), and feed says so; else meanwhile does not run.
  bool feed(std::string_view block, const std::function<void()>& meanwhile = {});
  // A BOM decides; without one, valid UTF-8 holding at least one multi-byte
  // sequence is UTF-8, anything else Shift-JIS (pure ASCII included).
  DataEncoding encoding() const;
  // No CR byte anywhere and at least one LF: LF ends a line. Meaningful for
  // the bytes as they will be read (for UTF-16, after the conversion).
  bool lfOnly() const { return !sawCr_ && sawLf_; }
  // Nothing more can change the answers: the first bytes are in, a CR was
  // seen and the bytes are not UTF-8 (an ordinary Shift-JIS file with CR LF
  // lines is settled by its first block).
  bool settled() const { return fed_ >= sizeof head_ && sawCr_ && !converter_; }
  // Once all the bytes are fed: for valid UTF-8 (with or without a BOM),
  // its text after the BOM in Shift-JIS; nothing for anything else, nor when
  // the text would have taken more than half the memory there is (it is
  // converted again as it is read).
  std::shared_ptr<ConvertedAhead> takeConverted();

 private:
  // Valid UTF-8 once no more bytes come.
  bool utf8Valid() const;
  // Converts bytes that follow the ones converted so far after the text,
  // large ones in two parts at once; keeps what is left for more bytes.
  // Runs meanwhile as feed says, and says whether it did.
  bool convert(std::string_view bytes, bool last, const std::function<void()>& meanwhile = {});
  // Where to convert that many bytes to: after the text kept, or where
  // they are only looked at once no text is kept.
  char* roomFor(size_t bytes);
  // The text kept goes on with the bytes converted at roomFor.
  void keep(size_t written);
  // While the helper still converts, makes the memory of the text ready a
  // large page at a time, from offset from on up to offset to at most.
  void makeTextReadyWhileHelperBusy(size_t from, size_t to);
  uint64_t fed_ = 0;
  char head_[3] = {};
  bool sawCr_ = false, sawLf_ = false;
  // Dropped at the first byte that is not UTF-8.
  std::optional<PieceConverter> converter_{std::in_place, UnicodeForm::Utf8, PieceConverter::OnInvalid::Stop};
  // The bytes of a character that the last block cut off, or the bytes
  // before the end of a BOM not complete yet.
  std::string held_;
  // Dropped when the text is not UTF-8 or would take too much memory.
  std::shared_ptr<ConvertedAhead> converted_ = std::make_shared<ConvertedAhead>();
  size_t readyTo_ = 0;  // the text's memory made ready up to this offset
  // Where text that is not kept is converted.
  MappedBytes notKept_;
  std::unique_ptr<HelperThread> helper_;  // started for the first large block
};

// How the program reads a data file: where its lines end, the bytes at its
// start that are no part of the text (a BOM), and, when it is converted to
// Shift-JIS as it is read, from what and how many bytes that gives.
struct InputForm {
  bool lfLineEnds = false;
  uint64_t skipped = 0;
  std::optional<UnicodeForm> convertedFrom;
  uint64_t convertedSize = 0;
  // The text converted by the look already, for the first reading to take
  // (a later one converts the file again).
  std::shared_ptr<ConvertedAhead> converted;
};

// The scan of a file (an internal path), read until the scan is settled;
// refusals raise as openFile does.
EncodingScan scanFile(TextFiles& files, const SjisString& path);
// Reads a file as form says (its convertedSize aside), handing its bytes to
// take a piece at a time, in order, with what the conversion met up to the
// end of the piece at least. With keep, keeps them for a first reading to
// take, unless they would take more than half the memory there is.
std::shared_ptr<ConvertedAhead> readConverted(
    TextFiles& files, const SjisString& path, const InputForm& form, bool keep,
    const std::function<void(std::string_view piece, const ReplacedCharacters& replaced)>& take);

}  // namespace headly
