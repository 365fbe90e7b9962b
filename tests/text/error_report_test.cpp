#include "text/error_report.h"

#include <gtest/gtest.h>

#include <set>

#include "text/encoding.h"

namespace headly {
namespace {

TEST(ErrorReport, ThreeLinesNamingTheCode) {
  EXPECT_EQ(errorReportLines(63),
            (std::vector<SjisString>{sjis("エラー[63]"), errorMessage(63), sjis("任意のキーを押してください")}));
}

// What was refused stands on a line of its own before the last one.
TEST(ErrorReport, ADetailNamesWhatWasRefused) {
  const SjisString detail = sjis("「C:\\tmp\\OUT.TXT」は読み取り専用のため、置き換えられません。");
  EXPECT_EQ(errorReportLines(75, detail), (std::vector<SjisString>{sjis("エラー[75]"), errorMessage(75), detail,
                                                                    sjis("任意のキーを押してください")}));
}

TEST(ErrorReport, EveryRaisedCodeHasItsOwnMessage) {
  const int codes[] = {5,  6,  7,  10, 11, 15, 27, 28, 48, 50, 51, 52, 54, 55, 57, 59, 60, 61, 63,
                       64, 66, 67, 71, 72, 73, 75, 99, 129, 130, 143, 1000, 1002, 1013, 1016, 1017};
  const SjisString unknown = errorMessage(424242);
  std::set<SjisString> seen;
  for (int code : codes) {
    const SjisString m = errorMessage(code);
    EXPECT_NE(m, unknown) << code;
    EXPECT_TRUE(seen.insert(m).second) << code;
    EXPECT_TRUE(toUtf8Exact(m).has_value()) << code;
  }
}

}  // namespace
}  // namespace headly
