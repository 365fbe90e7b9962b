// Progress of long work: nothing shows at first, then the count of records
// done and of all records when that is known, and finishing clears it.
#include <gtest/gtest.h>

#include <thread>
#include <utility>
#include <vector>

#include "session/work_progress.h"

namespace headly {
namespace {

class ShownTexts : public ProgressDisplay {
 public:
  void keepAlive() override { ++kept; }
  void show(const SjisString& text, int64_t done, int64_t total) override {
    texts.push_back(toUtf8(text));
    counts.emplace_back(done, total);
  }
  int kept = 0;
  std::vector<std::string> texts;
  std::vector<std::pair<int64_t, int64_t>> counts;
};

TEST(WorkProgress, CountOfTheTotalOnceTheWorkTakesAMoment) {
  ShownTexts display;
  WorkProgress progress(display, "レイアウトの書き込み中", 300000);
  progress.step(4096);
  EXPECT_EQ(display.kept, 1);
  EXPECT_TRUE(display.texts.empty());
  std::this_thread::sleep_for(std::chrono::milliseconds(320));
  progress.step(4097);
  EXPECT_TRUE(display.texts.empty());  // only every so many records
  progress.step(102400);
  progress.finish();
  EXPECT_EQ(display.texts, (std::vector<std::string>{"レイアウトの書き込み中　102400 / 300000件", ""}));
  EXPECT_EQ(display.counts.front(), std::make_pair(int64_t{102400}, int64_t{300000}));
}

TEST(WorkProgress, CountAloneWhenTheTotalIsUnknown) {
  ShownTexts display;
  WorkProgress progress(display, "データの読み込み中");
  std::this_thread::sleep_for(std::chrono::milliseconds(320));
  progress.step(8192);
  EXPECT_EQ(display.texts, (std::vector<std::string>{"データの読み込み中　8192件"}));
  EXPECT_EQ(display.counts, (std::vector<std::pair<int64_t, int64_t>>{{8192, -1}}));
}

TEST(WorkProgress, PagesAreCountedEachOne) {
  ShownTexts display;
  WorkProgress progress(display, "PDFの書き込み中", 444, "ページ");
  progress.stepEach(1);
  EXPECT_EQ(display.kept, 1);
  std::this_thread::sleep_for(std::chrono::milliseconds(320));
  progress.stepEach(2);
  EXPECT_EQ(display.texts, (std::vector<std::string>{"PDFの書き込み中　2 / 444ページ"}));
}

}  // namespace
}  // namespace headly
