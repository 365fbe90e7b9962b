// The order of a sorted list: letters without regard to case, signs before
// digits before letters before kana and double-byte characters, entries
// that differ only in case by their bytes.
#include <gtest/gtest.h>

#include <algorithm>

#include "text/encoding.h"
#include "ui/catalogue.h"
#include "ui/list_rows.h"

namespace headly {
namespace {

TEST(ListOrder, LettersSortWithoutRegardToCase) {
  EXPECT_LT(compareListEntries("[data]", "[HEADLY]"), 0);
  EXPECT_GT(compareListEntries("[HEADLY]", "[data]"), 0);
  EXPECT_LT(compareListEntries("[lib]", "[lib32]"), 0);
  EXPECT_LT(compareListEntries("[..]", "[Aa]"), 0);
  EXPECT_LT(compareListEntries("[a_b]", "[a1]"), 0);
  EXPECT_LT(compareListEntries("[9]", "[a]"), 0);
  // Equal letters: the bytes decide, upper case first; the same text is equal.
  EXPECT_LT(compareListEntries("[Data]", "[data]"), 0);
  EXPECT_EQ(compareListEntries("[data]", "[data]"), 0);
}

TEST(ListOrder, DoubleByteCharactersKeepTheirByteOrder) {
  // ア ends in the byte of A and ツ in that of a: no case is folded inside them.
  EXPECT_LT(compareListEntries(sjis("[ア]"), sjis("[ツ]")), 0);
  EXPECT_GT(compareListEntries(sjis("[ツ]"), sjis("[ア]")), 0);
  EXPECT_LT(compareListEntries("[z]", sjis("[ｱ]")), 0);
  EXPECT_LT(compareListEntries(sjis("[ｱ]"), sjis("[出力]")), 0);
}

TEST(ListOrder, OnlySortedListsPlaceNewEntries) {
  const ControlSpec* folders = findControl("LIST4");
  const ControlSpec* items = findControl("LIST1");
  ListRows rows;
  for (const char* entry : {"[lib32]", "[Work]", "[..]", "[data]", "[lib]"}) rows.add(*folders, entry);
  EXPECT_EQ(rows.rows, (std::vector<SjisString>{"[..]", "[data]", "[lib]", "[lib32]", "[Work]"}));
  EXPECT_EQ(listInsertPosition(*items, rows.rows, "[a]"), rows.rows.size());
  EXPECT_EQ(listInsertPosition(*folders, rows.rows, "[DATA]"), 1u);
}

}  // namespace
}  // namespace headly
