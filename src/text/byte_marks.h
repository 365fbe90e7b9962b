// Where two chosen bytes stand in a text, as bits sixty-four to a word,
// found sixteen bytes at a time. A line's fields are cut by jumping from one
// comma or quote to the next instead of searching byte after byte, which
// for fields of a few bytes costs more than the search itself.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace headly {

// The bits set in word, counted in the word itself: without a count
// instruction in the processors built for, std::popcount calls the library.
inline size_t countBits(uint64_t word) {
  word -= (word >> 1) & 0x5555555555555555u;
  word = (word & 0x3333333333333333u) + ((word >> 2) & 0x3333333333333333u);
  word = (word + (word >> 4)) & 0x0F0F0F0F0F0F0F0Fu;
  return size_t((word * 0x0101010101010101u) >> 56);
}

class ByteMarks {
 public:
  // first and second must not be the zero byte.
  ByteMarks(char first, char second) : first_(first), second_(second) {}

  // Marks text, which need not stay alive.
  void mark(std::string_view text);

  // The byte whose places are the first marks.
  char first() const { return first_; }

  // The place of the first byte second at or after pos, or the text's size
  // when there is none.
  size_t nextSecond(size_t pos) const { return next(secondMarks_, pos); }
  // How many bytes first the text holds.
  size_t countFirst() const;

  // The marks themselves: bit k of word w stands for byte 64 * w + k.
  size_t size() const { return size_; }
  size_t wordCount() const { return words_; }
  uint64_t firstWord(size_t w) const { return firstMarks_[w]; }
  uint64_t secondWord(size_t w) const { return secondMarks_[w]; }

  // Takes the places of the byte first from left to right.
  class FirstCursor {
   public:
    explicit FirstCursor(const ByteMarks& marks) : marks_(marks), bits_(marks.firstMarks_[0]) {}
    // The place of the next byte first not taken yet, now taken, or the
    // text's size when there is none.
    size_t take() {
      while (bits_ == 0) {
        if (++word_ >= marks_.words_) return marks_.size_;
        bits_ = marks_.firstMarks_[word_];
      }
      const size_t place = word_ * 64 + size_t(std::countr_zero(bits_));
      bits_ &= bits_ - 1;
      return place;
    }
    // Drops the places before pos, which is after the last place taken.
    void skipTo(size_t pos) {
      const size_t word = pos / 64;
      if (word >= marks_.words_) {
        word_ = marks_.words_;
        bits_ = 0;
        return;
      }
      if (word != word_) {
        word_ = word;
        bits_ = marks_.firstMarks_[word];
      }
      bits_ &= ~uint64_t(0) << (pos % 64);
    }

   private:
    const ByteMarks& marks_;
    size_t word_ = 0;
    uint64_t bits_;
  };

 private:
  struct Pair {
    uint64_t first, second;
  };
  Pair markSixteen(const char* bytes) const;
  Pair markRest(const char* bytes, size_t at) const;
  Pair markShortText(const char* bytes, size_t size) const;
  size_t next(const std::vector<uint64_t>& words, size_t pos) const {
    size_t w = pos / 64;
    if (w >= words_) return size_;
    uint64_t bits = words[w] & (~uint64_t(0) << (pos % 64));
    while (bits == 0) {
      if (++w == words_) return size_;
      bits = words[w];
    }
    return w * 64 + size_t(std::countr_zero(bits));
  }

  const char first_, second_;
  size_t size_ = 0;
  // One word for every 64 bytes and one for the rest, which may be none;
  // the vectors keep their size from longer texts marked before.
  size_t words_ = 0;
  std::vector<uint64_t> firstMarks_, secondMarks_;
};

}  // namespace headly
