#include "system/file_encoding.h"

#include <algorithm>
#include <cstring>

#include "text/byte_search.h"
#include "system/converted_file.h"
#include "system/drives.h"
#include "system/file_system.h"
#include "system/text_files.h"

namespace headly {

namespace {

constexpr size_t kBlockSize = 1 << 20;

bool startsWith(const char* head, uint64_t length, std::string_view bom) {
  return length >= bom.size() && std::memcmp(head, bom.data(), bom.size()) == 0;
}

// Continuation bytes after a lead byte and the range of the first of them
// (which excludes overlong forms, surrogates and code points above U+10FFFF);
// 0 continuation bytes for a byte that cannot lead.
struct Lead {
  int continuation;
  unsigned char low, high;
};
Lead leadOf(unsigned char c) {
  if (c >= 0xC2 && c <= 0xDF) return {1, 0x80, 0xBF};
  if (c == 0xE0) return {2, 0xA0, 0xBF};
  if (c == 0xED) return {2, 0x80, 0x9F};
  if (c >= 0xE1 && c <= 0xEF) return {2, 0x80, 0xBF};
  if (c == 0xF0) return {3, 0x90, 0xBF};
  if (c >= 0xF1 && c <= 0xF3) return {3, 0x80, 0xBF};
  if (c == 0xF4) return {3, 0x80, 0x8F};
  return {0, 0, 0};
}

// Reads the file block by block while read(block) returns true.
template <class Read>
void forEachBlock(TextFiles& files, const SjisString& path, Read read) {
  std::unique_ptr<NativeFile> file = files.fileSystem().openForReading(files.drives().toNative(path));
  std::unique_ptr<char[]> buffer = std::make_unique<char[]>(kBlockSize);
  for (size_t n; (n = file->read(buffer.get(), kBlockSize)) > 0;)
    if (!read(std::string_view(buffer.get(), n))) break;
  file->close();
}

}  // namespace

void EncodingScan::feed(std::string_view block) {
  for (size_t i = 0; fed_ + i < sizeof head_ && i < block.size(); ++i) head_[fed_ + i] = block[i];
  fed_ += block.size();
  if (!sawCr_) sawCr_ = std::memchr(block.data(), '\r', block.size()) != nullptr;
  if (!sawLf_) sawLf_ = std::memchr(block.data(), '\n', block.size()) != nullptr;
  if (utf8Valid_) checkUtf8(block);
}

void EncodingScan::measure(char32_t code, int length, uint64_t at) {
  if (at == 0 && code == 0xFEFF) return;  // the BOM
  if (!codes_) codes_ = &shiftJisCodes();
  const uint16_t sjis = length < 4 ? codes_->of(code) : 0;
  allKnown_ = allKnown_ && sjis != 0;
  // The test out of the way of the common characters, which lie above.
  if (code <= kLastOwnFormSource) [[unlikely]]
    countOwnForm(code);
  shiftJisBytes_ += sjis >= 0x100 ? 2 : 1;
}

void EncodingScan::countOwnForm(char32_t code) { ownForms_ += readInOwnForm(code); }

std::optional<uint64_t> EncodingScan::shiftJisSize() const {
  const DataEncoding found = encoding();
  if ((found != DataEncoding::Utf8 && found != DataEncoding::Utf8WithBom) || !utf8Valid_ || pending_ > 0 ||
      !allKnown_ || !shiftJisCodes().asciiStays())
    return std::nullopt;
  return shiftJisBytes_;
}

void EncodingScan::checkUtf8(std::string_view block) {
  using namespace byte_search;
  const auto* const begin = reinterpret_cast<const unsigned char*>(block.data());
  const auto* p = begin;
  const auto* const end = p + block.size();
  const uint64_t blockAt = fed_ - block.size();
  while (p < end) {
    if (pending_ > 0) {
      if (*p < nextLow_ || *p > nextHigh_) {
        utf8Valid_ = false;
        return;
      }
      pendingCode_ = pendingCode_ << 6 | (*p & 0x3F);
      ++p;
      --pending_;
      nextLow_ = 0x80;
      nextHigh_ = 0xBF;
      if (pending_ == 0) measure(pendingCode_, pendingLength_, pendingAt_);
      continue;
    }
    if (*p < 0x80) {
      const auto* const asciiStart = p;
      // Plain ASCII sixty-four bytes at a time, then eight, then one; the
      // short runs between the characters of Japanese text go byte by
      // byte at once.
      if (end - p >= 8 && (loadWord(reinterpret_cast<const char*>(p)) & kHighBits) != 0) {
        while (*p < 0x80) ++p;
        shiftJisBytes_ += uint64_t(p - asciiStart);
        continue;
      }
      for (; end - p >= 64; p += 64) {
        uint64_t any = 0;
        for (int k = 0; k < 8; ++k) any |= loadWord(reinterpret_cast<const char*>(p) + 8 * k);
        if ((any & kHighBits) != 0) break;
      }
      while (end - p >= 8 && (loadWord(reinterpret_cast<const char*>(p)) & kHighBits) == 0) p += 8;
      while (p < end && *p < 0x80) ++p;
      shiftJisBytes_ += uint64_t(p - asciiStart);
      continue;
    }
    // The common character of Japanese text first: three bytes whole in
    // the block that make neither an overlong form nor a surrogate.
    if (end - p >= 3 && (*p & 0xF0) == 0xE0 && (p[1] & 0xC0) == 0x80 && (p[2] & 0xC0) == 0x80) {
      const char32_t code = (*p & 0x0F) << 12 | (p[1] & 0x3F) << 6 | (p[2] & 0x3F);
      if (code >= 0x800 && (code < 0xD800 || code >= 0xE000)) {
        utf8MultiByte_ = true;
        measure(code, 3, blockAt + uint64_t(p - begin));
        p += 3;
        continue;
      }
    }
    const Lead lead = leadOf(*p);
    if (lead.continuation == 0) {
      utf8Valid_ = false;
      return;
    }
    utf8MultiByte_ = true;
    // A character whole in the block is checked at once; one that the block
    // cuts off goes on in the next.
    char32_t code = *p & (0x3F >> lead.continuation);
    if (end - p > lead.continuation) {
      bool valid = p[1] >= lead.low && p[1] <= lead.high;
      for (int k = 2; k <= lead.continuation; ++k) valid = valid && p[k] >= 0x80 && p[k] <= 0xBF;
      if (!valid) {
        utf8Valid_ = false;
        return;
      }
      for (int k = 1; k <= lead.continuation; ++k) code = code << 6 | (p[k] & 0x3F);
      measure(code, 1 + lead.continuation, blockAt + uint64_t(p - begin));
      p += 1 + lead.continuation;
      continue;
    }
    pendingCode_ = code;
    pendingLength_ = 1 + lead.continuation;
    pendingAt_ = blockAt + uint64_t(p - begin);
    ++p;
    pending_ = lead.continuation;
    nextLow_ = lead.low;
    nextHigh_ = lead.high;
  }
}

DataEncoding EncodingScan::encoding() const {
  if (startsWith(head_, fed_, "\xEF\xBB\xBF")) return DataEncoding::Utf8WithBom;
  if (startsWith(head_, fed_, "\xFF\xFE")) return DataEncoding::Utf16Le;
  if (startsWith(head_, fed_, "\xFE\xFF")) return DataEncoding::Utf16Be;
  // A sequence cut off by the end of the file is not valid UTF-8.
  if (utf8Valid_ && pending_ == 0 && utf8MultiByte_) return DataEncoding::Utf8;
  return DataEncoding::ShiftJis;
}

EncodingScan scanFile(TextFiles& files, const SjisString& path) {
  EncodingScan scan;
  forEachBlock(files, path, [&](std::string_view block) {
    scan.feed(block);
    return !scan.settled();
  });
  return scan;
}

void readConverted(TextFiles& files, const SjisString& path, const InputForm& form,
                   const std::function<void(std::string_view piece, const ReplacedCharacters& replaced)>& take) {
  ConvertedFile file(files.fileSystem().openForReading(files.drives().toNative(path)), form);
  std::unique_ptr<char[]> buffer = std::make_unique_for_overwrite<char[]>(kBlockSize);
  for (size_t n; (n = file.read(buffer.get(), kBlockSize)) > 0;) take(std::string_view(buffer.get(), n), file.replaced());
  file.close();
}

}  // namespace headly
