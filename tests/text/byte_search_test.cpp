// The word-at-a-time byte search against a plain scan, with the byte sought
// at every position around the word boundaries and next to bytes that
// differ from it by one bit or lie above 0x7F; the count of a byte and the
// comparison of two texts as well.
#include "text/byte_search.h"
#include "support/plain_find.h"

#include <gtest/gtest.h>

#include <string>

namespace headly {
namespace {

using test::plainFind;

TEST(ByteSearch, FindsTheFirstByteAtEveryPosition) {
  for (const char c : {',', '"', ' ', '\xFF'}) {
    for (const char filler : {'a', char(c ^ 1), char(c + 1), '\x80', '\xFE', '\x00'}) {
      if (filler == c) continue;
      for (size_t length = 0; length <= 20; ++length) {
        for (size_t at = 0; at <= length; ++at) {
          std::string s(length, filler);
          if (at < length) s[at] = c;
          if (at + 3 < length) s[at + 3] = c;  // a later match must not win
          for (size_t from = 0; from <= length; ++from) {
            const char* found = findByte(s.data() + from, s.data() + s.size(), c);
            ASSERT_EQ(size_t(found - s.data()), plainFind(s, from, c)) << int(c) << " " << length << " " << at;
          }
          const size_t matches = size_t(at < length) + size_t(at + 3 < length);
          EXPECT_EQ(countByte(s, c), matches) << int(c) << " " << length << " " << at;
          EXPECT_EQ(holdsByte(s, c), at < length);
          EXPECT_EQ(holdsEither(s, c, 'Q'), at < length);
          EXPECT_EQ(holdsEither(s, 'Q', c), at < length);
        }
      }
    }
  }
}

TEST(ByteSearch, SameBytesTellsTextsApartByAnyOneByte) {
  for (size_t length = 0; length <= 20; ++length) {
    const std::string text(length, '\x82');
    EXPECT_TRUE(sameBytes(text, std::string(length, '\x82')));
    EXPECT_FALSE(sameBytes(text, text + 'a'));
    for (size_t at = 0; at < length; ++at) {
      std::string other = text;
      other[at] = '\x83';
      EXPECT_FALSE(sameBytes(text, other)) << length << " " << at;
    }
  }
}

}  // namespace
}  // namespace headly
