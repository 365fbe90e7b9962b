#include "system/text_files.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <optional>
#include <random>
#include <span>

#include "text/byte_marks.h"
#include "system/converted_file.h"
#include "system/drives.h"
#include "text/encoding.h"
#include "text/quoted_fields.h"
#include "system/file_encoding.h"
#include "system/file_system.h"
#include "system/line_store.h"
#include "system/path_text.h"
#include "system/processes.h"
#include "text/runtime_error.h"
#include "system/termination.h"

namespace headly {
namespace {

constexpr size_t kBlockSize = 64 * 1024;
// The bytes of a replacing file sent on to the disk at a time.
constexpr uint64_t kWriteBackBytes = 4 * 1024 * 1024;
constexpr size_t kMaxLine = 32767;
// Whole lines handed to a line store at a time.
constexpr size_t kLineBatch = 256;
constexpr size_t kMaxPath = 260;
constexpr char kEndMark = 0x1A;
constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";
constexpr int kFirstNumber = 1, kLastNumber = 255;
// Windows error numbers for refusals that the native layer cannot report.
constexpr int kAccessDenied = 5;
constexpr int kPathNotFound = 3;
// Names tried for a temporary file before a clash with existing files counts
// as a failure.
constexpr int kTemporaryAttempts = 16;

bool hasWildcard(std::string_view name) {
  // '*' and '?' are below 0x40 and so never the trail byte of a double-byte character.
  return name.find_first_of("*?") != std::string_view::npos;
}

// Where a line read goes: into a string, or a piece at a time into a store.
struct IntoString {
  SjisString& line;
  void part(std::string_view bytes) { line.append(bytes); }
  void last(std::string_view bytes) { line.append(bytes); }
  void blockRead() {}
};
struct IntoStore {
  LineStore& store;
  void part(std::string_view bytes) { store.addPart(bytes); }
  void last(std::string_view bytes) { store.endLine(bytes); }
  void blockRead() { store.blockRead(); }
};

// Temporary files of a replaced output file are hidden and named
// ".~HEADLY-TTTTTTTT-PID-RRRRRRRR.TMP": T a tag of the target's path, PID the
// writing process and R a random number, so that a later write to the same
// target can tell the files that a process left behind when it died.
constexpr char kTemporaryStart[] = ".~HEADLY-";
constexpr char kTemporaryEnd[] = ".TMP";

std::string temporaryPrefix(const std::string& target) {
  uint32_t tag = 2166136261u;  // FNV-1a
  for (unsigned char c : target) tag = (tag ^ c) * 16777619u;
  char prefix[32];
  std::snprintf(prefix, sizeof prefix, "%s%08X-", kTemporaryStart, unsigned(tag));
  return prefix;
}

std::string temporaryName(const std::string& prefix) {
  static std::mt19937 random{std::random_device{}()};
  char name[64];
  std::snprintf(name, sizeof name, "%s%d-%08X%s", prefix.c_str(), currentProcessId(), unsigned(random()),
                kTemporaryEnd);
  return name;
}

// The id of the process that writes the temporary file of that name (one
// that starts with prefix), or 0 when the name is not one of them.
int writerOf(const std::string& name, const std::string& prefix) {
  const size_t endSize = sizeof kTemporaryEnd - 1;
  if (name.size() <= prefix.size() + endSize || name.compare(0, prefix.size(), prefix) != 0 ||
      name.compare(name.size() - endSize, endSize, kTemporaryEnd) != 0)
    return 0;
  char* end = nullptr;
  const long pid = std::strtol(name.c_str() + prefix.size(), &end, 10);
  return *end == '-' && pid > 0 && pid <= INT_MAX ? int(pid) : 0;
}

bool isReplaceable(EntryKind kind) { return kind == EntryKind::Missing || kind == EntryKind::RegularFile; }

// The temporary file of a Replace channel and the target it is renamed to.
struct Replacement {
  FileSystem* fs;
  std::string temporary, target;
};

}  // namespace

// One open file. Input is read in large blocks; output collects whole lines
// in a block before it goes to the file.
class Channel {
 public:
  Channel(FileMode mode, SjisString path, std::unique_ptr<NativeFile> file,
          std::optional<Replacement> replacement = std::nullopt)
      : mode_(mode), path_(std::move(path)), file_(std::move(file)), replacement_(std::move(replacement)) {
    if (mode_ == FileMode::Input) {
      size_ = file_->size();
      buffer_ = std::make_unique<char[]>(kBlockSize);
    } else {
      out_.reserve(kBlockSize);
      writing_.emplace(replacement_ ? replacement_->temporary : std::string());
    }
  }

  FileMode mode() const { return mode_; }
  void endLinesAtLf() { lineEnd_ = '\n'; }
  // The lines go out in UTF-8, the first after the byte order mark when asked.
  void writeInUtf8(bool byteOrderMark) {
    utf8_ = true;
    byteOrderMark_ = byteOrderMark;
  }
  void writeBytesOnly() { bytesOnly_ = true; }
  uint64_t size() const { return size_; }
  const SjisString& path() const { return path_; }
  // The file of an input channel that nothing was read from yet, for
  // another channel to read it another way.
  std::unique_ptr<NativeFile> releaseFile() { return std::move(file_); }

  // An append channel writes at the end of the file; a final end mark is
  // written over, so that a file appended to many times keeps one 0x1A.
  void moveToEnd() {
    uint64_t end = file_->size();
    if (end > 0) {
      file_->seek(end - 1);
      char last = 0;
      endMarkAtStart_ = file_->read(&last, 1) == 1 && last == kEndMark;
      if (endMarkAtStart_) --end;
    }
    file_->seek(end);
    written_ = appendStart_ = end;
  }

  bool atEnd() {
    if (position_ >= size_) return true;
    if (position_ + 1 != size_) return false;
    if (position_ == bufferEnd() && !fill()) return true;
    return buffer_[position_ - bufferStart_] == kEndMark;
  }

  void readLine(SjisString& line) {
    line.clear();
    IntoString out{line};
    readLineTo(out);
  }

  uint64_t readLines(LineStore& store, uint64_t maxLines) {
    IntoStore out{store};
    uint64_t lines = 0;
    for (;;) {
      lines += readWholeLines(store, maxLines - lines);
      if (lines == maxLines || atEnd()) break;
      readLineTo(out);
      ++lines;
    }
    store.blockRead();
    return lines;
  }

  void writeLine(std::string_view text) {
    checkTermination();
    out_.append(text);
    out_.append(kLineEnd);
    if (out_.size() >= kBlockSize) flush();
  }

  void writeLines(std::string_view lines) {
    checkTermination();
    if (out_.size() + lines.size() < kBlockSize) {
      out_.append(lines);
      return;
    }
    flush();
    put(lines);
  }

  // Ends an output file with the end mark and closes it; a replacement then
  // takes its target's name. When any step fails the temporary file goes; a
  // file whose last lines cannot be written is abandoned.
  void close() {
    try {
      if (mode_ != FileMode::Input) {
        if (!utf8_ && !bytesOnly_) out_.push_back(kEndMark);
        flush();
      }
    } catch (const RuntimeError&) {
      abandon();
      throw;
    }
    try {
      if (replacement_) file_->sync();
      file_->close();
      checkTermination();
      if (replacement_) commitReplacement();
    } catch (const RuntimeError&) {
      discardReplacement();
      throw;
    }
  }

  // Locks the new temporary file and, when it replaces a file, gives it that
  // file's mode and owner before any byte is written; a failure removes it.
  // A read-only file, which could not be deleted, is not replaced either (a
  // folder that cannot be written has refused the temporary file first).
  void prepareReplacement(bool targetExists) {
    try {
      if (targetExists && !replacement_->fs->mayWrite(replacement_->target))
        raise(osErrorCode(kAccessDenied), sjis("「") + path_ + sjis("」は読み取り専用のため、置き換えられません。"));
      file_->lock();
      if (targetExists) file_->matchOwnerAndMode(replacement_->target);
    } catch (const RuntimeError&) {
      abandon();
      throw;
    }
  }

  // Closes a file whose writing cannot go on. A replacement is thrown away;
  // any other output file is left complete (endUnfinished). Errors are of no
  // interest any more.
  void abandon() noexcept {
    endUnfinished();
    try {
      file_->close();
    } catch (const RuntimeError&) {
    }
    discardReplacement();
  }

 private:
  uint64_t bufferEnd() const { return bufferStart_ + bufferLength_; }

  // Reads the next block at position_ (== bufferEnd()); false at the end of
  // the file (which may have become shorter since it was opened).
  bool fill() {
    bufferStart_ = position_;
    bufferLength_ = file_->read(buffer_.get(), size_t(std::min<uint64_t>(kBlockSize, size_ - position_)));
    if (bufferLength_ == 0) size_ = position_;
    nulAt_ = nextNul(0);
    lineEndsMarked_ = false;
    return bufferLength_ > 0;
  }

  // The offset in the block of the first NUL byte at from or after it; the
  // block's length when there is none.
  size_t nextNul(size_t from) const {
    const void* nul = std::memchr(buffer_.get() + from, '\0', bufferLength_ - from);
    return nul ? size_t(static_cast<const char*>(nul) - buffer_.get()) : bufferLength_;
  }

  // Reads the next line (without its line end: CR, CR LF, or LF for a file
  // whose lines end in a bare LF; a final 0x1A ends the file) into out, in
  // pieces without NUL bytes: out.part for all but the last, out.last once.
  template <class Out>
  void readLineTo(Out& out) {
    if (position_ >= size_) raise(err::kReadPastEnd);
    size_t length = 0;
    quotes_.startLine();
    while (position_ < size_) {
      if (position_ == bufferEnd() && !nextBlock(out)) break;
      const char* begin = buffer_.get() + (position_ - bufferStart_);
      const size_t available = size_t(bufferEnd() - position_);
      // The block that holds the file's last byte stops before a final 0x1A.
      const bool endMarkHere = bufferEnd() == size_ && buffer_[bufferLength_ - 1] == kEndMark;
      const size_t scan = endMarkHere ? available - 1 : available;
      const char* lineEnd = static_cast<const char*>(std::memchr(begin, lineEnd_, scan));
      if (lineEnd_ == '\n') lineEnd = lfEndingLine(begin, lineEnd, begin + scan);
      const size_t take = lineEnd ? size_t(lineEnd - begin) : scan;
      handOn(out, take, lineEnd || endMarkHere, length);
      position_ += take;
      if (lineEnd) {
        ++position_;
        if (lineEnd_ == '\r' && position_ < size_ && (position_ < bufferEnd() || nextBlock(out)) &&
            buffer_[position_ - bufferStart_] == '\n')
          ++position_;
        return;
      }
      if (endMarkHere) {
        position_ = size_;
        return;
      }
    }
    out.last({});
  }

  // In a file of LF lines: the LF of from..end that ends the line, which
  // is lf or a later one when lf lies inside a quoted value; nothing when
  // the line goes on after end.
  const char* lfEndingLine(const char* from, const char* lf, const char* end) {
    for (;;) {
      quotes_.follow(std::string_view(from, size_t((lf ? lf : end) - from)));
      if (!lf || !quotes_.insideQuotes()) return lf;
      from = lf;
      lf = static_cast<const char*>(std::memchr(lf + 1, '\n', size_t(end - lf - 1)));
    }
  }

  // The common case at its own pace: the lines that end in the block before
  // its last byte, hold no NUL byte and are not too long go to store as they
  // are, up to maxLines; they are neither at the end of the file nor cut by
  // the end of the block. The number read.
  // The line ends are marked once for the whole block, and the lines go to
  // store in batches.
  uint64_t readWholeLines(LineStore& store, uint64_t maxLines) {
    if (position_ + 1 >= bufferEnd()) return 0;
    const char* const block = buffer_.get();
    if (!lineEndsMarked_) {
      if (!lineEnds_ || lineEnds_->first() != lineEnd_) lineEnds_.emplace(lineEnd_, lineEnd_);
      lineEnds_->mark(std::string_view(block, bufferLength_ - 1));
      lineEndsMarked_ = true;
    }
    size_t from = size_t(position_ - bufferStart_);
    ByteMarks::FirstCursor ends(*lineEnds_);
    ends.skipTo(from);
    std::array<LineBounds, kLineBatch> batch;
    size_t batched = 0;
    uint64_t lines = 0;
    for (; lines < maxLines; ++lines) {
      size_t to = ends.take();
      if (lineEnd_ == '\n' && to != lineEnds_->size() && std::memchr(block + from, '"', to - from)) {
        // A quoted value may hold the LF: the line ends at the LF after it.
        quotes_.startLine();
        quotes_.follow(std::string_view(block + from, to - from));
        while (quotes_.insideQuotes() && to != lineEnds_->size()) {
          const size_t next = ends.take();
          if (next != lineEnds_->size()) quotes_.follow(std::string_view(block + to, next - to));
          to = next;
        }
      }
      if (to == lineEnds_->size() || nulAt_ < to || to - from > kMaxLine) break;
      batch[batched++] = {from, to};
      if (batched == batch.size()) {
        store.endLines(block, batch);
        batched = 0;
      }
      from = to + (lineEnd_ == '\r' && block[to + 1] == '\n' ? 2 : 1);
    }
    if (batched > 0) store.endLines(block, std::span(batch.data(), batched));
    position_ = bufferStart_ + from;
    return lines;
  }

  template <class Out>
  bool nextBlock(Out& out) {
    out.blockRead();
    return fill();
  }

  // Hands the take bytes at position_ on to out without their NUL bytes, as
  // the line's last piece when ends. length counts the line's bytes so far:
  // longer than 32,767 is error 15.
  template <class Out>
  void handOn(Out& out, size_t take, bool ends, size_t& length) {
    size_t from = size_t(position_ - bufferStart_);
    const size_t to = from + take;
    for (; nulAt_ < to; nulAt_ = nextNul(from)) {
      addPiece(out, from, nulAt_ - from, false, length);
      from = nulAt_ + 1;
    }
    addPiece(out, from, to - from, ends, length);
  }

  template <class Out>
  void addPiece(Out& out, size_t from, size_t n, bool ends, size_t& length) {
    length += n;
    if (length > kMaxLine) raise(err::kStringTooLong);
    const std::string_view piece(buffer_.get() + from, n);
    if (ends)
      out.last(piece);
    else if (n > 0)
      out.part(piece);
  }

  // What an output file that is no replacement keeps when its writing cannot
  // go on. An appended file goes back, after an error, to exactly what it
  // held before this channel appended to it; after a termination signal it
  // keeps the complete lines written and gets its end mark. An Output file
  // keeps the complete lines written.
  void endUnfinished() noexcept {
    if (replacement_ || mode_ == FileMode::Input) return;
    const bool restore = mode_ == FileMode::Append && terminationSignal() == 0;
    try {
      if (!restore) flush();  // the complete lines not yet written; a signal stops it at once
    } catch (...) {
    }
    if (mode_ != FileMode::Append) return;
    try {
      const uint64_t end = restore ? appendStart_ : written_;
      file_->truncate(end);
      file_->seek(end);
      if (!restore || endMarkAtStart_) file_->write(&kEndMark, 1);
    } catch (...) {
    }
  }

  // The complete file takes the target's name. The target is looked at again:
  // what has become a folder, device, FIFO or socket since the open is left
  // alone.
  void commitReplacement() {
    const Replacement& r = *replacement_;
    if (!isReplaceable(r.fs->kind(r.target))) raise(osErrorCode(kAccessDenied));
    r.fs->rename(r.temporary, r.target);
    replacement_.reset();
  }

  void discardReplacement() noexcept {
    if (!replacement_) return;
    try {
      replacement_->fs->removeFile(replacement_->temporary);
    } catch (const RuntimeError&) {
    }
    replacement_.reset();
  }

  // Writes the collected bytes.
  void flush() {
    if (out_.empty()) return;
    try {
      put(out_);
    } catch (const RuntimeError&) {
      out_.clear();
      throw;
    }
    out_.clear();
  }

  // Writes whole lines, so no character is cut here. When the write fails the
  // file is cut back to its last complete state, so that it never ends inside
  // a line. A file that will be synced has its bytes sent on to the disk as
  // they come, so that the sync at the close waits for little.
  void put(std::string_view lines) {
    checkTermination();
    std::string converted;
    if (utf8_) {
      if (byteOrderMark_ && written_ == 0) converted = kUtf8ByteOrderMark;
      converted += toUtf8(lines);
      lines = converted;
    }
    try {
      file_->write(lines.data(), lines.size());
    } catch (const RuntimeError&) {
      try {
        file_->truncate(written_);
      } catch (const RuntimeError&) {
      }
      throw;
    }
    written_ += lines.size();
    if (replacement_ && written_ - sentToDisk_ >= kWriteBackBytes) {
      file_->startWriteBack(sentToDisk_, written_);
      sentToDisk_ = written_;
    }
  }

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

TextFiles::TextFiles(FileSystem& fs, Drives& drives) : fs_(fs), drives_(drives) {}

TextFiles::~TextFiles() { abandonFiles(); }

Channel& TextFiles::channel(int number) {
  if (number < kFirstNumber || number > kLastNumber) raise(err::kBadFileNumber);
  if (!channels_[number]) raise(err::kFileNotOpen);
  return *channels_[number];
}

void TextFiles::checkFreeNumber(int number) const {
  if (number < kFirstNumber || number > kLastNumber) raise(err::kBadFileNumber);
  if (channels_[number]) raise(err::kFileAlreadyOpen);
}

void TextFiles::openAppending(SjisString full, std::unique_ptr<NativeFile> file, int number) {
  auto c = std::make_unique<Channel>(FileMode::Append, std::move(full), std::move(file));
  c->moveToEnd();
  channels_[number] = std::move(c);
}

void TextFiles::openFile(const SjisString& name, FileMode mode, int number) {
  if (name.size() > kMaxPath) raise(err::kBadFileName);
  checkFreeNumber(number);
  if (name.empty() || hasWildcard(name)) raise(err::kBadFileName);
  SjisString full = drives_.fullPath(name);
  const std::string native = drives_.toNative(full);
  switch (mode) {
    case FileMode::Input:
      channels_[number] = std::make_unique<Channel>(mode, std::move(full), fs_.openForReading(native));
      break;
    case FileMode::Output:
      channels_[number] = std::make_unique<Channel>(mode, std::move(full), fs_.createNew(native));
      break;
    case FileMode::Append:
      openAppending(std::move(full), fs_.openForAppending(native), number);
      break;
    case FileMode::Replace:
      channels_[number] = openReplacement(std::move(full), native);
      break;
    default:
      raise(err::kBadFileMode);
  }
}

void TextFiles::openAppendingIn(NativeFolder& folder, const std::string& nativeName, const SjisString& path,
                                int number) {
  checkFreeNumber(number);
  openAppending(path, folder.openForAppending(nativeName), number);
}

void TextFiles::openInput(const SjisString& name, const InputForm& form, int number) {
  openFile(name, FileMode::Input, number);
  if (form.skipped > 0 || form.convertedFrom) {
    Channel& plain = *channels_[number];
    channels_[number] = std::make_unique<Channel>(FileMode::Input, plain.path(),
                                                  std::make_unique<ConvertedFile>(plain.releaseFile(), form));
  }
  if (form.lfLineEnds) channels_[number]->endLinesAtLf();
}

void TextFiles::openOutput(const SjisString& name, OutputEncoding encoding, int number) {
  openFile(name, FileMode::Replace, number);
  if (encoding != OutputEncoding::ShiftJis)
    channels_[number]->writeInUtf8(encoding == OutputEncoding::Utf8WithBom);
}

void TextFiles::openByteOutput(const SjisString& name, int number) {
  openFile(name, FileMode::Replace, number);
  channels_[number]->writeBytesOnly();
}

// The temporary file lies in the target's folder, so that the rename at the
// close stays inside one file system. A symbolic link keeps its place: the
// file it points to is replaced, and gets the mode and owner it had. Another
// user's link in a shared folder is not followed, and a read-only file, which
// could not be deleted, is not replaced either.
std::unique_ptr<Channel> TextFiles::openReplacement(SjisString full, const std::string& name) {
  std::string target;
  try {
    target = fs_.linkTarget(name);
  } catch (const RuntimeError& e) {
    if (e.errorCode != err::kAccessDenied) throw;
    raise(e.errorCode, sjis("「") + full + sjis("」は共有フォルダにある他のユーザーのリンクのため、その先には書き込みません。"));
  }
  const EntryKind kind = fs_.kind(target);
  if (!isReplaceable(kind)) raise(osErrorCode(kAccessDenied));
  const std::string folder = target.substr(0, target.rfind('/') + 1);
  // A name that the rename would refuse is refused before anything is written.
  if (target.size() - folder.size() > kMaxNativeNameBytes) raise(errorCodeFromErrno(ENAMETOOLONG));
  const std::string prefix = temporaryPrefix(target);
  removeAbandonedTemporaries(folder, prefix);
  for (int attempt = 1;; ++attempt) {
    const std::string temporary = folder + temporaryName(prefix);
    std::unique_ptr<NativeFile> file;
    try {
      file = fs_.createNew(temporary);
    } catch (const RuntimeError& e) {
      if (e.errorCode != err::kFileExists || attempt == kTemporaryAttempts) throw;
      continue;
    }
    auto channel = std::make_unique<Channel>(FileMode::Replace, std::move(full), std::move(file),
                                             Replacement{&fs_, temporary, target});
    channel->prepareReplacement(kind == EntryKind::RegularFile);
    return channel;
  }
}

// Temporary files of the same target whose process has died (SIGKILL, a
// crash, a power cut) go; a file that a live process holds stays, and so
// does everything else. Failing to look is no reason not to write.
void TextFiles::removeAbandonedTemporaries(const std::string& folder, const std::string& prefix) {
  try {
    for (const FolderEntry& e : fs_.listFolder(folder)) {
      const int pid = writerOf(e.name, prefix);
      if (pid != 0 && !e.isFolder && !processExists(pid)) fs_.removeUnlocked(folder + e.name);
    }
  } catch (const RuntimeError&) {
  }
}

SjisString TextFiles::readLine(int number) {
  SjisString line;
  readLineInto(number, line);
  return line;
}

void TextFiles::readLineInto(int number, SjisString& line) {
  Channel& c = channel(number);
  if (c.mode() != FileMode::Input) raise(err::kBadFileMode);
  c.readLine(line);
}

uint64_t TextFiles::readLines(int number, LineStore& store, uint64_t maxLines) {
  Channel& c = channel(number);
  if (c.mode() != FileMode::Input) raise(err::kBadFileMode);
  return c.readLines(store, maxLines);
}

bool TextFiles::atEnd(int number) {
  Channel& c = channel(number);
  if (c.mode() != FileMode::Input) raise(err::kBadFileMode);
  return c.atEnd();
}

uint64_t TextFiles::inputSize(int number) {
  Channel& c = channel(number);
  if (c.mode() != FileMode::Input) raise(err::kBadFileMode);
  return c.size();
}

void TextFiles::writeLine(int number, std::string_view text) {
  Channel& c = channel(number);
  if (c.mode() == FileMode::Input) raise(err::kBadFileMode);
  c.writeLine(text);
}

void TextFiles::writeLines(int number, std::string_view lines) {
  Channel& c = channel(number);
  if (c.mode() == FileMode::Input) raise(err::kBadFileMode);
  c.writeLines(lines);
}

void TextFiles::writeBytes(int number, std::string_view bytes) {
  Channel& c = channel(number);
  if (c.mode() == FileMode::Input) raise(err::kBadFileMode);
  c.writeLines(bytes);
}

void TextFiles::closeFiles(std::initializer_list<int> numbers) {
  // Every channel is closed even when one of them fails; the first failure
  // is raised afterwards.
  std::optional<RuntimeError> failure;
  auto closeOne = [&](int n) {
    std::unique_ptr<Channel> c = std::move(channels_[n]);
    if (!c) return;
    try {
      c->close();
    } catch (const RuntimeError& e) {
      if (!failure) failure = e;
    }
  };
  if (numbers.size() == 0) {
    for (int n = kFirstNumber; n <= kLastNumber; ++n) closeOne(n);
  } else {
    for (int n : numbers) {
      if (n < kFirstNumber || n > kLastNumber) raise(err::kBadFileNumber);
      closeOne(n);
    }
  }
  if (failure) throw *failure;
  // A signal that came after the last check: the files are complete, but the
  // program still ends as asked.
  checkTermination();
}

void TextFiles::abandonFiles() {
  for (auto& c : channels_) {
    if (c) c->abandon();
    c.reset();
  }
}

FileStamp TextFiles::fileStamp(const SjisString& name) {
  try {
    return fs_.stamp(drives_.toNative(drives_.fullPath(name)));
  } catch (const RuntimeError&) {
    return {};  // gone: unlike the stamp of any file
  }
}

void TextFiles::deleteFile(const SjisString& name) {
  if (name.size() > kMaxPath || name.empty() || hasWildcard(name)) raise(err::kBadFileName);
  const SjisString full = drives_.fullPath(name);
  const std::string native = drives_.toNative(full);
  switch (fs_.kind(native)) {
    case EntryKind::Missing:
      raise(err::kFileNotFound);
    case EntryKind::RegularFile:
      break;
    default:  // a folder, device, FIFO or socket is left as it is
      raise(osErrorCode(kAccessDenied));
  }
  // Compared exactly: on this file system names that differ in letter case
  // are different files.
  for (const auto& c : channels_)
    if (c && c->path() == full) raise(err::kFileAlreadyOpen);
  fs_.removeFile(native);
}

bool TextFiles::fileExists(const SjisString& name) {
  if (hasWildcard(name)) raise(err::kBadFileName);
  if (name.empty()) return false;
  const EntryKind kind = drives_.kindOnDisk(drives_.fullPath(name));
  return kind == EntryKind::RegularFile || kind == EntryKind::Other;
}

bool TextFiles::folderExists(const SjisString& name) {
  if (hasWildcard(name)) raise(err::kBadFileName);
  if (name.empty()) return false;
  return drives_.kindOnDisk(drives_.fullPath(name)) == EntryKind::Folder;
}

bool TextFiles::regularFileExists(const SjisString& name) {
  if (hasWildcard(name)) raise(err::kBadFileName);
  if (name.empty()) return false;
  return drives_.kindOnDisk(drives_.fullPath(name)) == EntryKind::RegularFile;
}

void TextFiles::makeFolder(const SjisString& path) {
  if (path.size() > kMaxPath) raise(err::kBadArgument);
  if (path.empty()) raise(osErrorCode(kPathNotFound));
  fs_.makeFolder(drives_.toNative(path));
}

void TextFiles::changeFolder(const SjisString& path) {
  if (path.size() > kMaxPath) raise(err::kBadArgument);
  if (path.empty()) raise(osErrorCode(kPathNotFound));
  drives_.changeFolder(path);
}

SjisString TextFiles::currentFolder(const SjisString& drive) {
  if (drive.empty()) return drives_.currentFolder();
  const bool letter = (drive[0] >= 'a' && drive[0] <= 'z') || (drive[0] >= 'A' && drive[0] <= 'Z');
  if (drive.size() != 2 || !letter || drive[1] != ':') raise(err::kBadArgument);
  drives_.checkReady(drive[0]);
  return drives_.currentFolder(drive[0]);
}

std::vector<SjisString> TextFiles::folderEntries(const SjisString& path) {
  if (path.empty() || path.size() > kMaxPath) raise(err::kBadArgument);
  const SjisString full = drives_.fullPath(path);
  const std::string native = drives_.toNative(full);
  drives_.requireFolder(native);
  std::vector<SjisString> entries;
  if (full.size() > 3) entries.push_back("[..]");
  for (const FolderEntry& e : fs_.listFolder(native)) {
    // Names that start with a point are hidden; names without a Shift-JIS
    // form cannot be named inside the program.
    if (!e.isFolder || e.name.empty() || e.name[0] == '.') continue;
    const std::optional<SjisString> name = fromNativeName(e.name);
    if (name && isPlainName(*name)) entries.push_back("[" + *name + "]");
  }
  std::sort(entries.begin(), entries.end());
  return entries;
}

std::vector<SjisString> TextFiles::driveEntries() {
  std::vector<SjisString> entries;
  for (char letter : drives_.letters()) entries.push_back(SjisString("[-") + letter + "-]");
  return entries;
}

SjisString TextFiles::fullPath(const SjisString& path) { return drives_.fullPath(path); }

PathParts splitPath(std::string_view path) {
  PathParts parts;
  size_t driveEnd = 0;
  const bool letter = path.size() >= 2 && ((path[0] >= 'a' && path[0] <= 'z') || (path[0] >= 'A' && path[0] <= 'Z'));
  if (letter && path[1] == ':') {
    driveEnd = 2;
  } else if (path.size() >= 2 && path[0] == '\\' && path[1] == '\\') {
    // \\server\share: up to the backslash after the share name.
    int separators = 0;
    driveEnd = path.size();
    for (size_t i = 2; i < path.size(); i += charLengthAt(path, i)) {
      if (path[i] == '\\' && charLengthAt(path, i) == 1 && ++separators == 2) {
        driveEnd = i;
        break;
      }
    }
  }
  size_t folderEnd = driveEnd;  // just past the last backslash
  size_t lastPoint = std::string_view::npos;
  for (size_t i = driveEnd; i < path.size(); i += charLengthAt(path, i)) {
    if (charLengthAt(path, i) == 2) continue;
    if (path[i] == '\\') {
      folderEnd = i + 1;
      lastPoint = std::string_view::npos;
    } else if (path[i] == '.') {
      lastPoint = i;
    }
  }
  parts.drive = path.substr(0, driveEnd);
  parts.folder = path.substr(driveEnd, folderEnd - driveEnd);
  const size_t nameEnd = lastPoint == std::string_view::npos ? path.size() : lastPoint;
  parts.name = path.substr(folderEnd, nameEnd - folderEnd);
  parts.extension = path.substr(nameEnd);
  return parts;
}

}  // namespace headly
