#include <algorithm>
#include <array>
#include <cstring>
#include <span>

#include "system/channel.h"
#include "system/line_store.h"
#include "text/runtime_error.h"

namespace headly {
namespace {

constexpr size_t kMaxLine = 32767;
// Whole lines handed to a line store at a time.
constexpr size_t kLineBatch = 256;

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

}  // namespace

bool Channel::atEnd() {
  if (position_ >= size_) return true;
  if (position_ + 1 != size_) return false;
  if (position_ == bufferEnd() && !fill()) return true;
  return buffer_[position_ - bufferStart_] == kEndMark;
}

void Channel::readLine(SjisString& line) {
  line.clear();
  IntoString out{line};
  readLineTo(out);
}

uint64_t Channel::readLines(LineStore& store, uint64_t maxLines) {
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

bool Channel::fill() {
  bufferStart_ = position_;
  bufferLength_ = file_->read(buffer_.get(), size_t(std::min<uint64_t>(kBlockSize, size_ - position_)));
  if (bufferLength_ == 0) size_ = position_;
  nulAt_ = nextNul(0);
  lineEndsMarked_ = false;
  return bufferLength_ > 0;
}

size_t Channel::nextNul(size_t from) const {
  const void* nul = std::memchr(buffer_.get() + from, '\0', bufferLength_ - from);
  return nul ? size_t(static_cast<const char*>(nul) - buffer_.get()) : bufferLength_;
}

template <class Out>
void Channel::readLineTo(Out& out) {
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

const char* Channel::lfEndingLine(const char* from, const char* lf, const char* end) {
  for (;;) {
    quotes_.follow(std::string_view(from, size_t((lf ? lf : end) - from)));
    if (!lf || !quotes_.insideQuotes()) return lf;
    from = lf;
    lf = static_cast<const char*>(std::memchr(lf + 1, '\n', size_t(end - lf - 1)));
  }
}

uint64_t Channel::readWholeLines(LineStore& store, uint64_t maxLines) {
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
bool Channel::nextBlock(Out& out) {
  out.blockRead();
  return fill();
}

template <class Out>
void Channel::handOn(Out& out, size_t take, bool ends, size_t& length) {
  size_t from = size_t(position_ - bufferStart_);
  const size_t to = from + take;
  for (; nulAt_ < to; nulAt_ = nextNul(from)) {
    addPiece(out, from, nulAt_ - from, false, length);
    from = nulAt_ + 1;
  }
  addPiece(out, from, to - from, ends, length);
}

template <class Out>
void Channel::addPiece(Out& out, size_t from, size_t n, bool ends, size_t& length) {
  length += n;
  if (length > kMaxLine) raise(err::kStringTooLong);
  const std::string_view piece(buffer_.get() + from, n);
  if (ends)
    out.last(piece);
  else if (n > 0)
    out.part(piece);
}

}  // namespace headly
