#include "system/converted_file.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace headly {

namespace {

// The bytes of the file converted at a time: the converted block stays in
// the processor's cache until it is read.
constexpr size_t kRawBlock = 256 * 1024;

}  // namespace

ConvertedFile::ConvertedFile(std::unique_ptr<NativeFile> file, const InputForm& form)
    : file_(std::move(file)), toSkip_(form.skipped) {
  if (form.convertedFrom) {
    converter_.emplace(*form.convertedFrom);
    size_ = form.convertedSize;
    if (form.converted && form.converted->text) {
      ahead_ = std::exchange(form.converted->text, nullptr);
      aheadSize_ = form.converted->size;
    }
  } else {
    const uint64_t whole = file_->size();
    size_ = whole - std::min(whole, toSkip_);
  }
}

size_t ConvertedFile::read(char* buffer, size_t n) {
  if (!converter_) return readAsTheyStand(buffer, n);
  if (ahead_) {
    const size_t give = size_t(std::min<uint64_t>(n, aheadSize_ - taken_));
    std::memcpy(buffer, ahead_->data() + taken_, give);
    taken_ += give;
    return give;
  }
  while (taken_ == convertedLength_) {
    taken_ = convertedLength_ = 0;
    if (!convertMore()) return 0;
  }
  const size_t give = std::min(n, convertedLength_ - taken_);
  std::memcpy(buffer, converted_.get() + taken_, give);
  taken_ += give;
  return give;
}

size_t ConvertedFile::readAsTheyStand(char* buffer, size_t n) {
  for (char skipped[4]; toSkip_ > 0;) {
    const size_t got = file_->read(skipped, size_t(std::min<uint64_t>(toSkip_, sizeof skipped)));
    if (got == 0) return 0;
    toSkip_ -= got;
  }
  return file_->read(buffer, n);
}

bool ConvertedFile::convertMore() {
  if (fileEnded_ && rawLength_ == 0) return false;
  // A block may end inside a character: what the conversion leaves of it
  // waits for the next block, in a room that grows when that is all of it.
  if (rawLength_ == rawRoom_) {
    rawRoom_ += kRawBlock;
    auto raw = std::make_unique_for_overwrite<char[]>(rawRoom_);
    if (rawLength_ > 0) std::memcpy(raw.get(), raw_.get(), rawLength_);
    raw_ = std::move(raw);
    converted_ = std::make_unique_for_overwrite<char[]>(PieceConverter::room(rawRoom_));
  }
  const size_t got = fileEnded_ ? 0 : file_->read(raw_.get() + rawLength_, rawRoom_ - rawLength_);
  rawLength_ += got;
  fileEnded_ = got == 0;
  const size_t skip = size_t(std::min<uint64_t>(toSkip_, rawLength_));
  toSkip_ -= skip;
  const PieceConverter::Done done =
      converter_->convert(std::string_view(raw_.get() + skip, rawLength_ - skip), fileEnded_, converted_.get());
  convertedLength_ = done.written;
  rawLength_ -= skip + done.taken;
  std::memmove(raw_.get(), raw_.get() + skip + done.taken, rawLength_);
  return true;
}

}  // namespace headly
