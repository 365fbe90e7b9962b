// One open file of TextFiles. Input is read in large blocks and handed on a
// line at a time or a block of whole lines at a time; output collects whole
// lines in a block before it goes to the file, and a replacement is written
// to a temporary file that takes the target's name once it is complete.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "system/file_system.h"
#include "system/termination.h"
#include "system/text_files.h"
#include "text/byte_marks.h"
#include "text/quoted_fields.h"
#include "text/sjis_string.h"

namespace headly {

class LineStore;

// The temporary file of a Replace channel and the target it is renamed to.
struct Replacement {
  FileSystem* fs;
  std::string temporary, target;
};

// What a replacement may take the place of: nothing, or a regular file.
inline bool isReplaceable(EntryKind kind) { return kind == EntryKind::Missing || kind == EntryKind::RegularFile; }

// The Windows error number for a refusal that the native layer cannot report.
inline constexpr int kWindowsAccessDenied = 5;

class Channel {
 public:
  static constexpr size_t kBlockSize = 64 * 1024;
  static constexpr char kEndMark = 0x1A;

  Channel(FileMode mode, SjisString path, std::unique_ptr<NativeFile> file,
          std::optional<Replacement> replacement = std::nullopt);
  FileMode mode() const { return mode_; }
  void endLinesAtLf() { lineEnd_ = '\n'; }
  // The lines go out in UTF-8, the first after the byte order mark when asked.
  void writeInUtf8(bool byteOrderMark);
  void writeBytesOnly() { bytesOnly_ = true; }
  uint64_t size() const { return size_; }
  const SjisString& path() const { return path_; }
  // The file of an input channel that nothing was read from yet, for
  // another channel to read it another way.
  std::unique_ptr<NativeFile> releaseFile() { return std::move(file_); }
  // An append channel writes at the end of the file; a final end mark is
  // written over, so that a file appended to many times keeps one 0x1A.
  void moveToEnd();
  bool atEnd();
  void readLine(SjisString& line);
  uint64_t readLines(LineStore& store, uint64_t maxLines);
  void writeLine(std::string_view text);
  void writeLines(std::string_view lines);
  // Ends an output file with the end mark and closes it; a replacement then
  // takes its target's name. When any step fails the temporary file goes; a
  // file whose last lines cannot be written is abandoned.
  void close();
  // Locks the new temporary file and, when it replaces a file, gives it that
  // file's mode and owner before any byte is written; a failure removes it.
  // A read-only file, which could not be deleted, is not replaced either (a
  // folder that cannot be written has refused the temporary file first).
  void prepareReplacement(bool targetExists);
  // Closes a file whose writing cannot go on. A replacement is thrown away;
  // any other output file is left complete (endUnfinished). Errors are of no
  // interest any more.
  void abandon() noexcept;

 private:
  uint64_t bufferEnd() const { return bufferStart_ + bufferLength_; }
  // Reads the next block at position_ (== bufferEnd()); false at the end of
  // the file (which may have become shorter since it was opened).
  bool fill();
  // The offset in the block of the first NUL byte at from or after it; the
  // block's length when there is none.
  size_t nextNul(size_t from) const;
  // Reads the next line (without its line end: CR, CR LF, or LF for a file
  // whose lines end in a bare LF; a final 0x1A ends the file) into out, in
  // pieces without NUL bytes: out.part for all but the last, out.last once.
  template <class Out>
  void readLineTo(Out& out);
  // In a file of LF lines: the LF of from..end that ends the line, which
  // is lf or a later one when lf lies inside a quoted value; nothing when
  // the line goes on after end.
  const char* lfEndingLine(const char* from, const char* lf, const char* end);
  // The common case at its own pace: the lines that end in the block before
  // its last byte, hold no NUL byte and are not too long go to store as they
  // are, up to maxLines; they are neither at the end of the file nor cut by
  // the end of the block. The number read.
  // The line ends are marked once for the whole block, and the lines go to
  // store in batches.
  uint64_t readWholeLines(LineStore& store, uint64_t maxLines);
  template <class Out>
  bool nextBlock(Out& out);
  // Hands the take bytes at position_ on to out without their NUL bytes, as
  // the line's last piece when ends. length counts the line's bytes so far:
  // longer than 32,767 is error 15.
  template <class Out>
  void handOn(Out& out, size_t take, bool ends, size_t& length);
  template <class Out>
  void addPiece(Out& out, size_t from, size_t n, bool ends, size_t& length);
  // What an output file that is no replacement keeps when its writing cannot
  // go on. An appended file goes back, after an error, to exactly what it
  // held before this channel appended to it; after a termination signal it
  // keeps the complete lines written and gets its end mark. An Output file
  // keeps the complete lines written.
  void endUnfinished() noexcept;
  // The complete file takes the target's name. The target is looked at again:
  // what has become a folder, device, FIFO or socket since the open is left
  // alone.
  void commitReplacement();
  void discardReplacement() noexcept;
  // Writes the collected bytes.
  void flush();
  // Writes whole lines, so no character is cut here. When the write fails the
  // file is cut back to its last complete state, so that it never ends inside
  // a line. A file that will be synced has its bytes sent on to the disk as
  // they come, so that the sync at the close waits for little.
  void put(std::string_view lines);

  FileMode mode_;
  SjisString path_;
  std::unique_ptr<NativeFile> file_;
  // Input: file size, read position, and the block in memory.
  uint64_t size_ = 0, position_ = 0;
  std::unique_ptr<char[]> buffer_;
  uint64_t bufferStart_ = 0;
  size_t bufferLength_ = 0;
  size_t nulAt_ = 0;  // the first NUL byte in the block not yet read past
  // The line ends of the block but its last byte, marked once it is read
  // line after line (as both bytes of the marks: only the first are read).
  std::optional<ByteMarks> lineEnds_;
  bool lineEndsMarked_ = false;
  // Output: bytes already in the file and the lines not yet written.
  uint64_t written_ = 0, sentToDisk_ = 0;
  // Append: where this channel began to write, and whether an end mark stood there.
  uint64_t appendStart_ = 0;
  bool endMarkAtStart_ = false;
  std::string out_;
  std::optional<Replacement> replacement_;
  char lineEnd_ = '\r';  // '\n' for a file whose lines end in a bare LF
  QuotedFields quotes_;   // of the line being read, in a file of LF lines
  bool utf8_ = false;
  bool byteOrderMark_ = false;
  bool bytesOnly_ = false;  // a document that is not text: no end mark
  // Output: lets a termination signal remove the temporary file.
  std::optional<WritingGuard> writing_;
};

}  // namespace headly
