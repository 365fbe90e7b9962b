#include <algorithm>

#include "system/channel.h"
#include "text/encoding.h"
#include "text/runtime_error.h"

namespace headly {
namespace {

// The bytes of a replacing file sent on to the disk at a time.
constexpr uint64_t kWriteBackBytes = 4 * 1024 * 1024;
constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

}  // namespace

Channel::Channel(FileMode mode, SjisString path, std::unique_ptr<NativeFile> file,
        std::optional<Replacement> replacement)
    : mode_(mode), path_(std::move(path)), file_(std::move(file)), replacement_(std::move(replacement)) {
  if (mode_ == FileMode::Input) {
    size_ = file_->size();
    buffer_ = std::make_unique<char[]>(kBlockSize);
  } else {
    out_.reserve(kBlockSize);
    writing_.emplace(replacement_ ? replacement_->temporary : std::string());
  }
}

void Channel::writeInUtf8(bool byteOrderMark) {
  utf8_ = true;
  byteOrderMark_ = byteOrderMark;
}

void Channel::moveToEnd() {
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

void Channel::writeLine(std::string_view text) {
  checkTermination();
  out_.append(text);
  out_.append(kLineEnd);
  if (out_.size() >= kBlockSize) flush();
}

void Channel::writeLines(std::string_view lines) {
  checkTermination();
  if (out_.size() + lines.size() < kBlockSize) {
    out_.append(lines);
    return;
  }
  flush();
  put(lines);
}

void Channel::close() {
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

void Channel::prepareReplacement(bool targetExists) {
  try {
    if (targetExists && !replacement_->fs->mayWrite(replacement_->target))
      raise(osErrorCode(kWindowsAccessDenied), sjis("「") + path_ + sjis("」は読み取り専用のため、置き換えられません。"));
    file_->lock();
    if (targetExists) file_->matchOwnerAndMode(replacement_->target);
  } catch (const RuntimeError&) {
    abandon();
    throw;
  }
}

void Channel::abandon() noexcept {
  endUnfinished();
  try {
    file_->close();
  } catch (const RuntimeError&) {
  }
  discardReplacement();
}

void Channel::endUnfinished() noexcept {
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

void Channel::commitReplacement() {
  const Replacement& r = *replacement_;
  if (!isReplaceable(r.fs->kind(r.target))) raise(osErrorCode(kWindowsAccessDenied));
  r.fs->rename(r.temporary, r.target);
  replacement_.reset();
}

void Channel::discardReplacement() noexcept {
  if (!replacement_) return;
  try {
    replacement_->fs->removeFile(replacement_->temporary);
  } catch (const RuntimeError&) {
  }
  replacement_.reset();
}

void Channel::flush() {
  if (out_.empty()) return;
  try {
    put(out_);
  } catch (const RuntimeError&) {
    out_.clear();
    throw;
  }
  out_.clear();
}

void Channel::put(std::string_view lines) {
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

}  // namespace headly
