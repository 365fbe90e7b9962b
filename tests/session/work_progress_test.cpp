// Progress of long work: nothing shows at first, then the count of records
// done and of all records when that is known, and finishing clears it.
#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "session/work_progress.h"

namespace headly {
namespace {

class ShownTexts : public ProgressDisplay {
 public:
  void keepAlive() override { ++kept; }
  void show(const SjisString& text) override { texts.push_back(toUtf8(text)); }
  int kept = 0;
  std::vector<std::string> texts;
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
}

TEST(WorkProgress, CountAloneWhenTheTotalIsUnknown) {
  ShownTexts display;
  WorkProgress progress(display, "データの読み込み中");
  std::this_thread::sleep_for(std::chrono::milliseconds(320));
  progress.step(8192);
  EXPECT_EQ(display.texts, (std::vector<std::string>{"データの読み込み中　8192件"}));
}

}  // namespace
}  // namespace headly
