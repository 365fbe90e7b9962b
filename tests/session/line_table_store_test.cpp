// The lines of the data file go into the line table in the pieces reading
// hands over, and the lines with extra data are counted on another thread
// while more are read: the count is the one of the pass over all lines, or
// none when the table had to grow under the count.
#include "session/line_table_store.h"

#include <gtest/gtest.h>

#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "session/background_count.h"
#include "session/field_parser.h"
#include "session/session_data.h"

namespace headly {
namespace {

class NoDisplay : public ProgressDisplay {
 public:
  void keepAlive() override {}
  void show(const SjisString&) override {}
};

// Data lines of up to five fields, quoted and empty ones among them, for a
// header of three items.
std::vector<std::string> randomLines(std::mt19937& random, size_t count) {
  static const std::vector<std::string> fields = {"", "a", "\"\"", "\"x,y\"", "\"q\"\"\"", "\x95\\", "\"open"};
  std::vector<std::string> lines;
  for (size_t i = 0; i < count; ++i) {
    std::string line;
    for (size_t f = 0, n = random() % 6; f < n; ++f) line += (f ? "," : "") + fields[random() % fields.size()];
    lines.push_back(line);
  }
  return lines;
}

struct Loaded {
  SessionData state;
  std::optional<int64_t> counted;
};

// Stores the header and lines as reading would, in random pieces with a
// blockRead now and then, with room reserved for roomBytes.
Loaded store(const std::vector<std::string>& lines, size_t roomBytes, std::mt19937& random) {
  Loaded loaded;
  SessionData& s = loaded.state;
  s.recordLines.reserve(0, roomBytes);
  NoDisplay display;
  WorkProgress progress(display, "");
  LineTableStore store(s.recordLines, progress);
  store.endLine("A,B,C");
  s.lastItemIndex = countLastItemIndex(s.recordLines[0]);
  store.countLines([&](std::string_view line) { return hasExtraData(line, s.lastItemIndex); });
  for (const std::string& line : lines) {
    std::string_view rest = line;
    while (!rest.empty() && random() % 4 == 0) {
      const size_t part = 1 + random() % rest.size();
      store.addPart(rest.substr(0, part));
      rest.remove_prefix(part);
    }
    store.endLine(rest);
    if (random() % 16 == 0) store.blockRead();
  }
  store.blockRead();
  loaded.counted = store.countedLines();
  s.recordCount = int32_t(lines.size());
  return loaded;
}

TEST(LineTableStore, CountsWhatThePassOverAllLinesCounts) {
  std::mt19937 random(7);
  NoDisplay display;
  for (size_t count : {0, 1, 50, 5000}) {
    const std::vector<std::string> lines = randomLines(random, count);
    size_t bytes = 5;
    for (const std::string& line : lines) bytes += line.size();
    // Room for every line, and (for many lines) room for only some of them.
    for (size_t room : {bytes, count > 10 ? bytes / 2 : bytes}) {
      const Loaded loaded = store(lines, room, random);
      ASSERT_EQ(loaded.state.recordLines.size(), count + 1);
      for (size_t i = 0; i < count; ++i) ASSERT_EQ(loaded.state.recordLines[i + 1], lines[i]);
      if (room < bytes) {
        EXPECT_FALSE(loaded.counted) << "counted while the lines moved";
      } else {
        ASSERT_TRUE(loaded.counted);
        EXPECT_EQ(*loaded.counted, countLinesWithExtraData(loaded.state, display)) << count << " lines";
      }
    }
  }
}

TEST(BackgroundCount, SumsTheBatchesAndRaisesAFailureToTheCaller) {
  const std::vector<std::string> texts = {"yes", "no", "yes", "", "yes"};
  std::vector<std::string_view> batch(texts.begin(), texts.end());
  BackgroundCount count([](std::string_view line) { return line == "yes"; });
  for (int i = 0; i < 100; ++i) count.add(batch);
  EXPECT_EQ(count.total(), 300);

  BackgroundCount failing([](std::string_view line) {
    if (line.empty()) throw std::runtime_error("cannot count");
    return true;
  });
  failing.add(batch);
  failing.add(batch);
  EXPECT_THROW(failing.total(), std::runtime_error);

  // A batch counted comes back for the next, emptied, with its room.
  BackgroundCount recycling([](std::string_view line) { return line == "yes"; });
  EXPECT_EQ(recycling.emptyBatch().capacity(), 0u);
  recycling.add(batch);
  EXPECT_EQ(recycling.total(), 3);
  const std::vector<std::string_view> again = recycling.emptyBatch();
  EXPECT_TRUE(again.empty());
  EXPECT_GE(again.capacity(), batch.size());

  // Stopped, it counts no more and waits for nothing.
  BackgroundCount stopped([](std::string_view) { return true; });
  stopped.add(batch);
  stopped.stop();
  stopped.add(batch);
}

}  // namespace
}  // namespace headly
