#include "text/byte_marks.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace headly {

void ByteMarks::mark(std::string_view text) {
  size_ = text.size();
  const size_t words = size_ / 64 + 1;
  if (firstMarks_.size() < words) {
    firstMarks_.resize(words);
    secondMarks_.resize(words);
  }
  words_ = words;
  const char* const bytes = text.data();
  for (size_t w = 0; w + 1 < words; ++w) {
    uint64_t first = 0, second = 0;
    for (size_t k = 0; k < 4; ++k) {
      const Pair marks = markSixteen(bytes + 64 * w + 16 * k);
      first |= marks.first << (16 * k);
      second |= marks.second << (16 * k);
    }
    firstMarks_[w] = first;
    secondMarks_[w] = second;
  }
  // The last word: whole sixteens, then the rest.
  const size_t base = 64 * (words - 1);
  uint64_t first = 0, second = 0;
  size_t at = base;
  for (; at + 16 <= size_; at += 16) {
    const Pair marks = markSixteen(bytes + at);
    first |= marks.first << (at - base);
    second |= marks.second << (at - base);
  }
  if (at < size_) {
    const Pair marks = markRest(bytes, at);
    first |= marks.first << (at - base);
    second |= marks.second << (at - base);
  }
  firstMarks_[words - 1] = first;
  secondMarks_[words - 1] = second;
}

// The bytes from at to the end, fewer than sixteen: the sixteen that end
// with the text when it has them.
ByteMarks::Pair ByteMarks::markRest(const char* bytes, size_t at) const {
  const size_t rest = size_ - at;
  if (size_ < 16) return markShortText(bytes, size_);
  const Pair marks = markSixteen(bytes + size_ - 16);
  return {marks.first >> (16 - rest), marks.second >> (16 - rest)};
}

// A text of fewer than sixteen bytes, copied into sixteen zero bytes, which
// are neither byte marked.
ByteMarks::Pair ByteMarks::markShortText(const char* bytes, size_t size) const {
  char padded[16] = {};
  std::memcpy(padded, bytes, size);
  return markSixteen(padded);
}

size_t ByteMarks::countFirst() const {
  size_t count = 0;
  for (size_t w = 0; w < words_; ++w) count += countBits(firstMarks_[w]);
  return count;
}

ByteMarks::Pair ByteMarks::markSixteen(const char* bytes) const {
#if defined(__SSE2__)
  const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes));
  return {uint64_t(uint32_t(_mm_movemask_epi8(_mm_cmpeq_epi8(v, _mm_set1_epi8(first_))))),
          uint64_t(uint32_t(_mm_movemask_epi8(_mm_cmpeq_epi8(v, _mm_set1_epi8(second_)))))};
#else
  Pair marks{0, 0};
  for (size_t k = 0; k < 16; ++k) {
    marks.first |= uint64_t(bytes[k] == first_) << k;
    marks.second |= uint64_t(bytes[k] == second_) << k;
  }
  return marks;
#endif
}

}  // namespace headly
