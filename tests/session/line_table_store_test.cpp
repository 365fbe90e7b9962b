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
#include "support/text_extras.h"
#include "support/text_files_on_disk.h"
#include "system/file_encoding.h"
#include "text/encoding.h"

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
  bool roomForAll = false;  // the room reserved (whole pages) held every line
};

// Stores the header and lines as reading would: one by one, in random
// pieces, or several whole lines of a block at once, with a blockRead now
// and then, with room reserved for roomLines and roomBytes.
Loaded store(const std::vector<std::string>& lines, size_t roomLines, size_t roomBytes, std::mt19937& random) {
  Loaded loaded;
  LoadedLines& s = loaded.state;
  s.recordLines.reserve(roomLines, roomBytes);
  size_t bytes = 5;
  for (const std::string& line : lines) bytes += line.size();
  loaded.roomForAll = s.recordLines.spareBytes() >= bytes && s.recordLines.spareLines() >= lines.size() + 1;
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
      if (!loaded.roomForAll) {
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

// A UTF-8 data file is converted once, by the look at its encoding, and its
// lines then fill the very memory of that converted text while it is still
// being read from there: they must come out as the lines of the same text
// in Shift-JIS read from a file, whatever the lines hold and wherever the
// reading's blocks cut them.

// UTF-8 lines of random length: kanji, half-width kana, ASCII, NUL bytes,
// quotes and lone CRs among them, some longer than a block of reading.
std::string randomUtf8Text(std::mt19937& random, size_t lines) {
  static const std::vector<std::string> pieces = {"東京", "ｱｲ", "a,b", "\"q\"", std::string("\0", 1), "〜", "x\r", "12"};
  std::string text;
  for (size_t i = 0; i < lines; ++i) {
    const size_t count = random() % 40 == 0 ? 3000 : random() % 12;
    for (size_t n = 0; n < count; ++n) text += pieces[random() % pieces.size()];
    text += random() % 3 == 0 ? "\r" : "\r\n";
  }
  return text + "\x1A";
}

class ConvertedLines : public test::TextFilesOnDisk {
 protected:
  LineTable readLines(const InputForm& form) {
    LineTable lines;
    if (form.converted) lines.fillFromStartOf(form.converted->text);
    files.openInput("D:\\in.txt", form, 1);
    NoDisplay display;
    WorkProgress progress(display, "");
    LineTableStore store(lines, progress);
    files.readLines(1, store, UINT64_MAX);
    files.closeFiles();
    return lines;
  }
};

TEST_F(ConvertedLines, FillTheMemoryOfTheTextTheyAreReadFrom) {
  std::mt19937 random(7);
  for (size_t lines : {1u, 50u, 3000u}) {
    SCOPED_TRACE(lines);
    const std::string utf8 = randomUtf8Text(random, lines);
    tmp.write("in.txt", *fromUtf8(utf8));
    const LineTable expected = readLines({});

    // UTF-8 is converted by the look; UTF-16 when it is looked at once it
    // is known to be UTF-16, which keeps what it converts as well.
    for (const UnicodeForm from : {UnicodeForm::Utf8, UnicodeForm::Utf16Le}) {
      InputForm form;
      form.convertedFrom = from;
      if (from == UnicodeForm::Utf8) {
        tmp.write("in.txt", utf8);
        form.converted = scanFile(files, "D:\\in.txt").takeConverted();
      } else {
        tmp.write("in.txt", "\xFF\xFE" + test::toUtf16(utf8, false));
        form.skipped = 2;
        auto look = [](std::string_view, const ReplacedCharacters&) {};
        form.converted = readConverted(files, "D:\\in.txt", form, true, look);
      }
      ASSERT_TRUE(form.converted);
      form.convertedSize = form.converted->size;
      const char* const text = form.converted->text->data();
      const LineTable converted = readLines(form);
      EXPECT_EQ(converted.shared().bytes().data(), text);
      ASSERT_EQ(converted.size(), expected.size());
      for (size_t i = 0; i < expected.size(); ++i) ASSERT_EQ(converted[i], expected[i]) << "line " << i;
    }
  }
}

}  // namespace
}  // namespace headly
