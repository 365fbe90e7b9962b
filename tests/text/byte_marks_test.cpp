// The marks of two bytes against a plain scan: random texts around the
// sixteen- and sixty-four-byte steps, marked one after the other with the
// same marks (a shorter text after a longer one must not see its marks).
#include "text/byte_marks.h"
#include "support/plain_find.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

namespace headly {
namespace {

using test::plainFind;

TEST(ByteMarks, FindAndCountAsAPlainScanDoes) {
  std::mt19937 random(7);
  const std::string alphabet = std::string("a,\"\xFF\x81\x40 ") + '\0';
  ByteMarks marks(',', '"');
  for (int round = 0; round < 3000; ++round) {
    const size_t length = random() % 200;
    std::string s(length, 'a');
    for (char& c : s) c = alphabet[random() % alphabet.size()];
    marks.mark(s);
    size_t commas = 0;
    for (size_t from = 0; from <= length; ++from) {
      ASSERT_EQ(marks.nextSecond(from), plainFind(s, from, '"')) << round << " " << from;
      if (from < length && s[from] == ',') ++commas;
    }
    ASSERT_EQ(marks.countFirst(), commas) << round;
    EXPECT_EQ(marks.nextSecond(length + 70), length);
    // Cursors take every comma in turn, or skip on by random steps first.
    ByteMarks::FirstCursor every(marks), skipping(marks);
    size_t pos = 0;
    for (size_t at = plainFind(s, 0, ','); at < length; at = plainFind(s, at + 1, ','))
      ASSERT_EQ(every.take(), at) << round;
    ASSERT_EQ(every.take(), length) << round;
    while (pos <= length) {
      pos += random() % 90;
      skipping.skipTo(pos);
      const size_t taken = skipping.take();
      ASSERT_EQ(taken, plainFind(s, std::min(pos, length), ',')) << round << " " << pos;
      pos = taken + 1;
    }
  }
}

}  // namespace
}  // namespace headly
