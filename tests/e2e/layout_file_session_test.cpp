// Whole sessions through the headless driver that end in the layout file:
// the stepped text compared byte for byte (Shift-JIS, CR LF, one 0x1A).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/batch_session.h"
#include "text/encoding.h"

namespace headly {
namespace {

using test::BatchResult;
using test::BatchSession;
using test::layoutFile;

// Loads data.csv, moves the first `headings` rows of LIST1 to the heading
// list and the rest (`others` rows) to the other list, writes no CSV file
// and answers the full-width question.
std::string classify(int headings, int others, bool fullWidth) {
  std::string rows;
  for (int i = 0; i < headings; ++i) rows += " " + std::to_string(i);
  std::string otherRows;
  for (int i = 0; i < others; ++i) otherRows += " " + std::to_string(i);
  return "cwd @DIR@\nfile data.csv\ninput 500\nselect LIST1" + rows + "\npress BUTTON2\nselect LIST1" + otherRows +
         "\npress BUTTON4\ncheck CHECK2\npress BUTTON6\n" + (fullWidth ? "answer Yes\n" : "answer No\n");
}

// Accepts a FORM4 item as proposed; extra lines go before "設定".
std::string form4(const std::string& extra = "") { return extra + "press BUTTON9\nanswer Yes\n"; }
std::string form2(const std::string& extra = "") { return extra + "press BUTTON1\nanswer Yes\n"; }
const std::string kWriteLayout = "answer Yes\nfile HEADLY.TXT\n";

constexpr char kShops[] = "Region,Shop,Tel\r\nTokyo,Ginza,03-1111\r\nTokyo,Ueno,03-2222\r\nOsaka,Umeda,06-3333\r\n";

std::string shopsSession(const std::string& joinChoice) {
  return classify(1, 2, false) + form4() + form4("type EDIT4 2\n") +
         form2("type EDIT1 1\ntype EDIT2 (\ntype EDIT3 )\n" + joinChoice) + kWriteLayout;
}

TEST(LayoutFileSession, ShopsAtTheirOwnColumnUnderTheirRegion) {
  BatchSession s;
  s.writeSjisFile("data.csv", kShops);
  const BatchResult r = s.run(shopsSession("radio RADIO2\n"));
  ASSERT_EQ(r.exitCode, 0) << r.transcript;
  EXPECT_EQ(s.readBytes("HEADLY.TXT"),
            layoutFile({"Tokyo", "  Ginza (03-1111)", "  Ueno  (03-2222)", "Osaka", "  Umeda (06-3333)"}));
  EXPECT_NE(r.transcript.find("save データファイルの書き込み | " + s.internalPath("HEADLY.TXT") +
                              " | ﾃｷｽﾄ形式(*.TXT) -> " + s.internalPath("HEADLY.TXT") + "\nend\n"),
            std::string::npos)
      << r.transcript;
}

TEST(LayoutFileSession, JoinedTelephoneFollowsTheShop) {
  BatchSession s;
  s.writeSjisFile("data.csv", kShops);
  const BatchResult r = s.run(shopsSession("radio RADIO1\n"));
  ASSERT_EQ(r.exitCode, 0) << r.transcript;
  EXPECT_EQ(s.readBytes("HEADLY.TXT"),
            layoutFile({"Tokyo", "  Ginza (03-1111)", "  Ueno (03-2222)", "Osaka", "  Umeda (06-3333)"}));
}

TEST(LayoutFileSession, ReplacingAnExistingFileAfterTheQuestion) {
  BatchSession s;
  s.writeSjisFile("data.csv", kShops);
  s.writeBytes("HEADLY.TXT", std::string(3000, 'x'));
  std::string script = shopsSession("radio RADIO2\n");
  script += "answer Yes\n";  // the dialog's overwrite question
  const BatchResult r = s.run(script);
  ASSERT_EQ(r.exitCode, 0) << r.transcript;
  EXPECT_EQ(s.readBytes("HEADLY.TXT"),
            layoutFile({"Tokyo", "  Ginza (03-1111)", "  Ueno  (03-2222)", "Osaka", "  Umeda (06-3333)"}));
}

TEST(LayoutFileSession, ThreeHeadingLevelsBreakFromTheLevelThatChanged) {
  BatchSession s;
  s.writeSjisFile("data.csv", "A,B,C,D\r\nx,p,1,b1\r\nx,p,2,b2\r\nx,q,2,b3\r\ny,q,2,b4\r\n");
  const BatchResult r = s.run(classify(3, 1, false) + form4() + form4() + form4() + form4() + kWriteLayout);
  ASSERT_EQ(r.exitCode, 0) << r.transcript;
  EXPECT_EQ(s.readBytes("HEADLY.TXT"), layoutFile({"x", " p", "  1", "   b1", "  2", "   b2", " q", "  2", "   b3",
                                                   "y", " q", "  2", "   b4"}));
}

TEST(LayoutFileSession, FullWidthItemOfTwentyFourBytesAtTenCharactersPerLine) {
  BatchSession s;
  s.writeSjisFile("data.csv", "分類,品名,産地\r\n果物,アイウエオカキクケコサシ,青森\r\n");
  // 品名 at 10 bytes a line; 産地 then gets 2 blanks because 品名 wraps.
  const BatchResult r = s.run(classify(1, 2, true) + form4() + form4("type EDIT5 10\n") + form2() + kWriteLayout);
  ASSERT_EQ(r.exitCode, 0) << r.transcript;
  EXPECT_EQ(s.readBytes("HEADLY.TXT"), layoutFile({"果物", "　アイウエオ　青森", "　カキクケコ　　　",
                                                   "　サシ　　　　　　", "　――――――――"}));
}

TEST(LayoutFileSession, DelimitersConfirmedWithoutATestRunAreNotCutOff) {
  BatchSession s;
  s.writeSjisFile("data.csv", "見出し,名,備考\r\nあ,いう,かきくけこ\r\n");
  // 備考 fits its 10 bytes a line until the delimiters make it 14.
  const BatchResult r =
      s.run(classify(1, 2, true) + form4() + form4() + form2("type EDIT2 「\ntype EDIT3 」\n") + kWriteLayout);
  ASSERT_EQ(r.exitCode, 0) << r.transcript;
  EXPECT_EQ(s.readBytes("HEADLY.TXT"), layoutFile({"あ", "　いう「かきくけ", "　　　こ」　　　", "　―――――――"}));
}

TEST(LayoutFileSession, DelimitersOfAnItemWithoutValuesNeedNoCharactersPerLine) {
  BatchSession s;
  s.writeSjisFile("data.csv", "見出し,名,記号,数\r\nあ,いう,,１\r\n");
  // 記号 has 0 characters per line; its delimiters push 数 to the right.
  const BatchResult r = s.run(classify(1, 3, true) + form4() + form4() + form2("type EDIT2 （\ntype EDIT3 ）\n") +
                              form2() + kWriteLayout);
  ASSERT_EQ(r.exitCode, 0) << r.transcript;
  EXPECT_EQ(s.readBytes("HEADLY.TXT"), layoutFile({"あ", "　いう（）　１"}));
}

TEST(LayoutFileSession, CancelledSaveDialogWritesNothing) {
  BatchSession s;
  s.writeSjisFile("data.csv", kShops);
  std::string script = shopsSession("radio RADIO2\n");
  script.replace(script.find("file HEADLY.TXT"), 15, "cancel");
  const BatchResult r = s.run(script);
  ASSERT_EQ(r.exitCode, 0) << r.transcript;
  EXPECT_NE(r.transcript.find("-> ESC\nend\n"), std::string::npos) << r.transcript;
  EXPECT_THROW(s.readBytes("HEADLY.TXT"), std::runtime_error);
}

}  // namespace
}  // namespace headly
