// The lines of the data file go into the line table in the pieces reading
// hands over, and the lines with extra data are counted on another thread
// while more are read: the count is the one of the pass over all lines, or
// none when the table had to grow under the count.
#include "session/line_table_store.h"

#include <gtest/gtest.h>

#include <random>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "session/background_count.h"
#include "session/line_fields.h"
#include "session/loaded_table.h"

namespace headly {
namespace {

class NoDisplay : public ProgressDisplay {
 public:
  void keepAlive() override {}
  void show(const SjisString&, int64_t, int64_t) override {}
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

// The lines stored, as reading leaves them.
struct LoadedLines {
  LineTable recordLines;
  int32_t recordCount = 0;
  int32_t lastItemIndex = 0;
};

struct Loaded {
  LoadedLines state;
  std::optional<int64_t> counted;
};

// Stores the header and lines as reading would: one by one, in random
// pieces, or several whole lines of a block at once, with a blockRead now
// and then, with room reserved for roomLines and roomBytes.
Loaded store(const std::vector<std::string>& lines, size_t roomLines, size_t roomBytes, std::mt19937& random) {
  Loaded loaded;
  LoadedLines& s = loaded.state;
  s.recordLines.reserve(roomLines, roomBytes);
  NoDisplay display;
  WorkProgress progress(display, "");
  LineTableStore store(s.recordLines, progress);
  store.endLine("A,B,C");
  s.lastItemIndex = countLastItemIndex(s.recordLines[0]);
  store.countLines([&](std::string_view line) { return hasExtraData(line, s.lastItemIndex); });
  for (size_t i = 0; i < lines.size(); ++i) {
    if (random() % 8 == 0) {
      // A block of up to 40 lines, CR LF after each.
      std::string block;
      std::vector<LineBounds> bounds;
      for (size_t n = 1 + random() % 40; n > 0 && i < lines.size(); --n, ++i) {
        bounds.push_back({block.size(), block.size() + lines[i].size()});
        block += lines[i] + "\r\n";
      }
      store.endLines(block.data(), bounds);
      --i;
      continue;
    }
    std::string_view rest = lines[i];
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
    // Room for every line, and (for many lines) room for the bytes or the
    // ends of only some of them.
    const size_t all = count + 1;
    for (auto [roomLines, roomBytes] : {std::pair{all, bytes}, std::pair{all, count > 10 ? bytes / 2 : bytes},
                                        std::pair{count > 10 ? all / 2 : all, bytes}}) {
      const Loaded loaded = store(lines, roomLines, roomBytes, random);
      ASSERT_EQ(loaded.state.recordLines.size(), count + 1);
      for (size_t i = 0; i < count; ++i) ASSERT_EQ(loaded.state.recordLines[i + 1], lines[i]);
      if (roomLines < all || roomBytes < bytes) {
        EXPECT_FALSE(loaded.counted) << "counted while the lines moved";
      } else {
        ASSERT_TRUE(loaded.counted);
        EXPECT_EQ(*loaded.counted, countLinesWithExtraData(loaded.state.recordLines, loaded.state.recordCount, loaded.state.lastItemIndex, display)) << count << " lines";
      }
    }
  }
}

TEST(BackgroundCount, SumsTheRunsAndRaisesAFailureToTheCaller) {
  // Lines "yes", "no", "yes", "" and "yes", as a line table holds them.
  const std::string bytes = "yesnoyesyes";
  const std::vector<size_t> ends = {3, 5, 8, 8, 11};
  const LineRun all{bytes.data(), ends.data(), 0, ends.size()};
  BackgroundCount count([](std::string_view line) { return line == "yes"; });
  for (int i = 0; i < 100; ++i) count.add(all);
  count.add(LineRun{bytes.data(), ends.data(), 1, 3});
  count.add(LineRun{bytes.data(), ends.data(), 4, 4});
  EXPECT_EQ(count.total(), 301);

  BackgroundCount failing([](std::string_view line) {
    if (line.empty()) throw std::runtime_error("cannot count");
    return true;
  });
  failing.add(all);
  failing.add(all);
  EXPECT_THROW(failing.total(), std::runtime_error);

  // Stopped, it counts no more and waits for nothing.
  BackgroundCount stopped([](std::string_view) { return true; });
  stopped.add(all);
  stopped.stop();
  stopped.add(all);
}

}  // namespace
}  // namespace headly
