#include "system/file_encoding.h"

#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <new>
#include <system_error>

#include "system/converted_file.h"
#include "system/drives.h"
#include "system/helper_thread.h"
#include "system/file_system.h"
#include "system/large_pages.h"
#include "system/text_files.h"

namespace headly {

namespace {

// The look reads a first block, which settles an ordinary Shift-JIS file,
// then larger ones.
constexpr size_t kFirstBlockSize = 1 << 20, kBlockSize = 8 << 20;
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
// Bytes converted in two parts at once from this many on.
constexpr size_t kHalvedFrom = 256 * 1024;

// Half the memory of the machine: as much as converted text is kept.
uint64_t halfTheMemory() {
  static const uint64_t half = uint64_t(sysconf(_SC_PHYS_PAGES)) * uint64_t(sysconf(_SC_PAGESIZE)) / 2;
  return half;
}

// Where the first character at or after at starts (it is never more than
// three bytes on in UTF-8); 0 for none.
size_t characterStart(std::string_view bytes, size_t at) {
  for (size_t end = std::min(at + 4, bytes.size()); at < end; ++at)
    if ((bytes[at] & 0xC0) != 0x80) return at;
  return 0;
}

bool startsWith(const char* head, uint64_t length, std::string_view bom) {
  return length >= bom.size() && std::memcmp(head, bom.data(), bom.size()) == 0;
}

}  // namespace

EncodingScan::EncodingScan() = default;
EncodingScan::~EncodingScan() = default;
EncodingScan::EncodingScan(EncodingScan&&) noexcept = default;
EncodingScan& EncodingScan::operator=(EncodingScan&&) noexcept = default;

bool EncodingScan::feed(std::string_view block, const std::function<void()>& meanwhile) {
  const uint64_t before = fed_;
  for (size_t i = 0; fed_ + i < sizeof head_ && i < block.size(); ++i) head_[fed_ + i] = block[i];
  fed_ += block.size();
  if (!sawCr_) sawCr_ = std::memchr(block.data(), '\r', block.size()) != nullptr;
  if (!sawLf_) sawLf_ = std::memchr(block.data(), '\n', block.size()) != nullptr;
  if (!converter_) return false;
  if (before < sizeof head_) {
    // The first bytes wait until it is known whether they are a BOM, which
    // is no part of the text; else they go on as a character cut off.
    const size_t headRest = std::min(block.size(), size_t(sizeof head_ - before));
    held_.append(block.substr(0, headRest));
    block.remove_prefix(headRest);
    if (fed_ < sizeof head_) return false;
    if (startsWith(head_, fed_, kUtf8Bom)) held_.clear();
  }
  if (!held_.empty()) {
    // The character that the last block cut off ends with the continuation
    // bytes this one starts with (a character has at most three).
    size_t rest = 0;
    while (rest < block.size() && rest < 4 && (block[rest] & 0xC0) == 0x80) ++rest;
    held_.append(block.substr(0, rest));
    block.remove_prefix(rest);
    if (block.empty() && rest < 4) return false;
    const std::string cutOff = std::move(held_);
    held_.clear();
    convert(cutOff, true);
    if (!converter_) return false;
  }
  return convert(block, false, meanwhile);
}

bool EncodingScan::convert(std::string_view bytes, bool last, const std::function<void()>& meanwhile) {
  // This thread's part is the smaller when it has other work meanwhile:
  // reading a block takes about a quarter of the time of converting it.
  const size_t part = meanwhile ? bytes.size() * 2 / 5 : bytes.size() / 2;
  size_t split = bytes.size() >= kHalvedFrom ? characterStart(bytes, part) : 0;
  if (split > 0 && !helper_) {
    try {
      helper_ = std::make_unique<HelperThread>();
    } catch (const std::system_error&) {
      split = 0;  // one thread does it all
    }
  }
  bool ranMeanwhile = false;
  if (split == 0) {
    const PieceConverter::Done done = converter_->convert(bytes, last, roomFor(bytes.size()));
    if (converter_->allValid()) {
      keep(done.written);
      held_.assign(bytes.substr(done.taken));
      return ranMeanwhile;
    }
  } else {
    // The first part ends before a character starts: it goes as a whole,
    // after the text, while the second goes to the room after the most the
    // first can take (a word more, which copying ASCII a word at a time may
    // write), and then moves down to follow it. So each thread makes the
    // memory it writes first, which is the slow part of writing new text.
    char* const room = roomFor(bytes.size() + sizeof(uint64_t));
    char* const secondRoom = room + split + sizeof(uint64_t);
    PieceConverter next(UnicodeForm::Utf8, PieceConverter::OnInvalid::Stop);
    PieceConverter::Done second{};
    helper_->start([&] { second = next.convert(bytes.substr(split), last, secondRoom); });
    size_t firstWritten = 0;
    try {
      firstWritten = converter_->convert(bytes.substr(0, split), true, room).written;
      // Bytes that are not UTF-8 settle an ordinary Shift-JIS file here.
      ranMeanwhile = meanwhile && converter_->allValid();
      if (ranMeanwhile) meanwhile();
      // The helper writes new memory, which is slow to make where the system
      // has to find it: what is left of this thread's time makes it ahead of
      // the helper, as far as the helper may write.
      if (converted_ && converter_->allValid()) {
        const size_t at = converted_->text->size();
        makeTextReadyWhileHelperBusy(at + split + sizeof(uint64_t), at + bytes.size() + sizeof(uint64_t));
      }
    } catch (...) {
      helper_->wait();
      throw;
    }
    helper_->wait();
    converter_->append(next);
    if (converter_->allValid()) {
      std::memmove(room + firstWritten, secondRoom, second.written);
      keep(firstWritten + second.written);
      held_.assign(bytes.substr(split + second.taken));
      return ranMeanwhile;
    }
  }
  converter_.reset();
  converted_.reset();
  held_.clear();
  return ranMeanwhile;
}

char* EncodingScan::roomFor(size_t bytes) {
  const size_t room = PieceConverter::room(bytes);
  if (converted_) {
    MappedBytes& text = *converted_->text;
    try {
      // Room that is not written costs nothing: it grows seldom.
      if (text.size() + room > text.room()) text.reserve(std::max(text.size() + room, 2 * text.room()));
      return text.data() + text.size();
    } catch (const std::bad_alloc&) {
      converted_.reset();  // what it held makes room
    }
  }
  notKept_.reserve(room);
  return notKept_.data();
}

void EncodingScan::keep(size_t written) {
  if (!converted_) return;
  MappedBytes& text = *converted_->text;
  text.resize(text.size() + written);
  if (text.size() > halfTheMemory()) converted_.reset();
}

void EncodingScan::makeTextReadyWhileHelperBusy(size_t from, size_t to) {
  MappedBytes& text = *converted_->text;
  to = std::min(to, text.room());
  // Room from 1 MB on starts on a large page, so offsets meet their bounds.
  for (readyTo_ = std::max(readyTo_, from); readyTo_ < to && helper_->busy();) {
    const size_t next = std::min(to, (readyTo_ / kLargePageSize + 1) * kLargePageSize);
    if (!makeReady(text.data() + readyTo_, next - readyTo_)) return;
    readyTo_ = next;
  }
}

std::shared_ptr<ConvertedAhead> EncodingScan::takeConverted() {
  const DataEncoding found = encoding();
  if (!converter_ || (found != DataEncoding::Utf8 && found != DataEncoding::Utf8WithBom)) return nullptr;
  const std::string rest = std::move(held_);
  held_.clear();
  convert(rest, true);
  if (!converter_ || !converted_) return nullptr;
  converted_->size = converted_->text->size();
  converted_->replaced = converter_->replaced();
  converter_.reset();
  return std::move(converted_);
}

bool EncodingScan::utf8Valid() const { return converter_ && isUtf8(held_); }

DataEncoding EncodingScan::encoding() const {
  if (startsWith(head_, fed_, kUtf8Bom)) return DataEncoding::Utf8WithBom;
  if (startsWith(head_, fed_, "\xFF\xFE")) return DataEncoding::Utf16Le;
  if (startsWith(head_, fed_, "\xFE\xFF")) return DataEncoding::Utf16Be;
  // A sequence cut off by the end of the file is not valid UTF-8.
  const bool multiByte = converter_ && (converter_->sawNonAscii() ||
                                        std::any_of(held_.begin(), held_.end(), [](char c) { return c & 0x80; }));
  if (utf8Valid() && multiByte) return DataEncoding::Utf8;
  return DataEncoding::ShiftJis;
}

EncodingScan scanFile(TextFiles& files, const SjisString& path) {
  EncodingScan scan;
  std::unique_ptr<NativeFile> file = files.fileSystem().openForReading(files.drives().toNative(path));
  // A block is read into one buffer while the one before, in the other, is
  // converted.
  MappedBytes buffers[2] = {MappedBytes(kBlockSize), MappedBytes(kBlockSize)};
  size_t n = file->read(buffers[0].data(), kFirstBlockSize);
  for (int in = 0; n > 0; in = 1 - in) {
    size_t next = 0;
    const bool readMeanwhile = scan.feed(std::string_view(buffers[in].data(), n),
                                         [&] { next = file->read(buffers[1 - in].data(), kBlockSize); });
    if (scan.settled()) break;
    n = readMeanwhile ? next : file->read(buffers[1 - in].data(), kBlockSize);
  }
  file->close();
  return scan;
}

std::shared_ptr<ConvertedAhead> readConverted(
    TextFiles& files, const SjisString& path, const InputForm& form, bool keep,
    const std::function<void(std::string_view piece, const ReplacedCharacters& replaced)>& take) {
  ConvertedFile file(files.fileSystem().openForReading(files.drives().toNative(path)), form);
  std::shared_ptr<ConvertedAhead> kept = keep ? std::make_shared<ConvertedAhead>() : nullptr;
  MappedBytes buffer(kBlockSize);
  for (size_t n; (n = file.read(buffer.data(), kBlockSize)) > 0;) {
    const std::string_view piece(buffer.data(), n);
    take(piece, file.replaced());
    if (!kept) continue;
    try {
      kept->text->append(piece);
      if (kept->text->size() > halfTheMemory()) kept.reset();
    } catch (const std::bad_alloc&) {
      kept.reset();
    }
  }
  file.close();
  if (kept) {
    kept->size = kept->text->size();
    kept->replaced = file.replaced();
  }
  return kept;
}

}  // namespace headly
