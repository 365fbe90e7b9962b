// List rows named by their text in a script (select LIST1 =支店): a row
// named like a number stays reachable, and a name that fits no row or
// several is a misfit that lists the rows.
#include <gtest/gtest.h>

#include "text/encoding.h"
#include "ui/script_fixture.h"

namespace headly {
namespace {

using test::misfitOf;
using test::ScriptedUi;

// FORM3 shown with these rows in LIST1, the script's actions run until BUTTON6.
void runOnForm3(ScriptedUi& s, std::initializer_list<const char*> rows) {
  for (const char* row : rows) s.ui.listAdd("LIST1", sjis(row));
  s.ui.setVisible("FORM3", true);
  s.ui.waitForEvent();
}

TEST(ScriptRowNames, ANameSelectsItsRowAndNumbersStayNumbers) {
  ScriptedUi s("select LIST1 =12 1\nselect LIST1 \"=消しゴム 大\" ==x\nshow LIST1\npress BUTTON6\n");
  runOnForm3(s, {"1", "2", "12", "消しゴム 大", "=x"});
  EXPECT_EQ(s.lines(),
            std::vector<std::string>({"form FORM3 項目の分類", "show LIST1 | 1 | *2 | *12 | *消しゴム 大 | *=x"}));
}

TEST(ScriptRowNames, ANameOfNoRowOrOfSeveralIsAMisfitListingTheRows) {
  ScriptedUi none("select LIST1 =日付\n");
  EXPECT_EQ(misfitOf([&] { runOnForm3(none, {"支店", "数量"}); }),
            "line 1 (select LIST1 =日付): LIST1 has no row named 日付 (rows: 0 支店, 1 数量); the program asks: "
            "a user action on FORM3");
  ScriptedUi several("select LIST1 =数量\n");
  EXPECT_EQ(misfitOf([&] { runOnForm3(several, {"数量", "支店", "数量"}); }),
            "line 1 (select LIST1 =数量): LIST1 has 2 rows named 数量 (rows: 0 数量, 1 支店, 2 数量); the program "
            "asks: a user action on FORM3");
  ScriptedUi empty("select LIST1 =a\n");
  EXPECT_EQ(misfitOf([&] { runOnForm3(empty, {}); }),
            "line 1 (select LIST1 =a): LIST1 has no row named a (rows: none); the program asks: a user action on "
            "FORM3");
}

}  // namespace
}  // namespace headly
