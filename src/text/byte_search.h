// Byte search over short ranges, eight bytes at a time. The fields of a
// record and the texts searched are mostly a few bytes long, where a library
// call costs more than the search itself.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace headly {

namespace byte_search {

static_assert(std::endian::native == std::endian::little, "the lowest byte of a word comes first");
inline constexpr uint64_t kEveryByte = 0x0101010101010101u;
inline constexpr uint64_t kHighBits = 0x8080808080808080u;

inline uint64_t loadWord(const char* p) {
  uint64_t word;
  std::memcpy(&word, p, sizeof word);
  return word;
}

// Marks with its high bit every byte of word that equals c. A borrow can
// mark bytes above a true match, never below it: the lowest mark is exact,
// and no mark means no match.
inline uint64_t bytesEqual(uint64_t word, char c) {
  const uint64_t x = word ^ (kEveryByte * uint8_t(c));
  return (x - kEveryByte) & ~x & kHighBits;
}

// Marks with its high bit exactly the bytes of word that equal c: no
// borrow runs between bytes.
inline uint64_t bytesEqualExactly(uint64_t word, char c) {
  const uint64_t x = word ^ (kEveryByte * uint8_t(c));
  const uint64_t low = ~kHighBits;
  return ~(((x & low) + low) | x | low);
}

}  // namespace byte_search

// The first byte c in [p, end), or end.
inline const char* findByte(const char* p, const char* end, char c) {
  for (; end - p >= 8; p += 8) {
    const uint64_t marks = byte_search::bytesEqual(byte_search::loadWord(p), c);
    if (marks) return p + std::countr_zero(marks) / 8;
  }
  while (p != end && *p != c) ++p;
  return p;
}

// How many bytes c s holds.
inline size_t countByte(std::string_view s, char c) {
  const char* p = s.data();
  const char* const end = p + s.size();
  size_t count = 0;
  // The marks moved to the lowest bit of their bytes; the multiplication
  // adds the eight bytes up into the highest.
  for (; end - p >= 8; p += 8)
    count += size_t(((byte_search::bytesEqualExactly(byte_search::loadWord(p), c) >> 7) * byte_search::kEveryByte) >> 56);
  for (; p != end; ++p) count += *p == c ? 1 : 0;
  return count;
}

// Whether s holds the byte c.
inline bool holdsByte(std::string_view s, char c) { return findByte(s.data(), s.data() + s.size(), c) != s.data() + s.size(); }

// Whether a and b hold the same bytes.
inline bool sameBytes(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  const char* p = a.data();
  const char* q = b.data();
  size_t n = a.size();
  for (; n >= 8; n -= 8, p += 8, q += 8)
    if (byte_search::loadWord(p) != byte_search::loadWord(q)) return false;
  for (; n > 0; --n)
    if (*p++ != *q++) return false;
  return true;
}

// Whether s holds the byte a or the byte b.
inline bool holdsEither(std::string_view s, char a, char b) {
  const char* p = s.data();
  const char* const end = p + s.size();
  for (; end - p >= 8; p += 8) {
    const uint64_t word = byte_search::loadWord(p);
    if (byte_search::bytesEqual(word, a) | byte_search::bytesEqual(word, b)) return true;
  }
  for (; p != end; ++p)
    if (*p == a || *p == b) return true;
  return false;
}

}  // namespace headly
