// Reading lines a block at a time into a store finds exactly the lines, the
// error and the place in the file that reading them one by one finds, on
// generated files read in short pieces so that every kind of line end meets
// the end of a block.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "support/error_code.h"
#include "support/faulty_file_system.h"
#include "support/text_files_on_disk.h"
#include "system/file_encoding.h"
#include "system/line_store.h"
#include "text/runtime_error.h"
#include "system/text_files.h"

namespace headly {
namespace {

constexpr size_t kLongestLine = 32767;

// Keeps the lines as they come, and how many were ended at the last
// blockRead.
class KeptLines : public LineStore {
 public:
  void addPart(std::string_view bytes) override {
    ASSERT_FALSE(bytes.empty());
    current_.append(bytes);
  }
  void endLine(std::string_view bytes) override {
    current_.append(bytes);
    lines.push_back(std::move(current_));
    current_.clear();
  }
  void blockRead() override { handedOn = lines.size(); }

  std::vector<std::string> lines;
  size_t handedOn = 0;

 private:
  std::string current_;
};

// What a reading made of a file: the lines up to the limit, whether the file
// was then at its end, the lines that reading one by one finds after them,
// and the code of the error that stopped it (0: none).
struct Reading {
  std::vector<std::string> lines, rest;
  bool atEnd = false;
  int error = 0;
  bool operator==(const Reading&) const = default;
};

// Bytes of the kinds that line reading treats apart, in random runs: CR, LF,
// CR LF, NUL, 0x1A inside and at the end, Shift-JIS pairs, quotes that
// leave a field open over an LF, and now and then a line of about the
// longest length or hundreds of short lines in a row.
std::string randomFile(std::mt19937& random) {
  static const std::vector<std::string> pieces = {"\r", "\n", "\r\n", std::string(1, '\0'), "\x1a", "a,b",
                                                  "\x95\\", "\"x\"", "z", ",\"", "\""};
  const auto pick = [&](size_t n) { return size_t(random() % n); };
  std::string bytes;
  const size_t count = pick(40);
  for (size_t i = 0; i < count; ++i) {
    if (pick(300) == 0) {
      std::string longLine(kLongestLine - 2 + pick(5), 'L');
      if (pick(2) == 0) longLine.insert(pick(longLine.size()), std::string(1 + pick(3), '\0'));
      bytes += longLine;
    } else if (pick(60) == 0) {
      const std::string line = pick(2) == 0 ? "s,t\r\n" : "s\n";
      for (size_t n = 200 + pick(600); n > 0; --n) bytes += line;
    } else {
      bytes += pieces[pick(pieces.size())];
    }
  }
  static const std::vector<std::string> endings = {"", "\x1a", "\r\x1a", "\r\n\x1a", "\r", "\n"};
  return bytes + endings[pick(endings.size())];
}

class BulkReading : public test::TextFilesOnDisk {
 protected:
  enum class Source { CrFile, LfFile, LfAfterBom };

  // Reads maxLines lines of bytes from source one by one or in bulk, then
  // the rest one by one.
  Reading read(const std::string& bytes, Source source, uint64_t maxLines, bool inBulk) {
    InputForm form;
    form.lfLineEnds = source != Source::CrFile;
    if (source == Source::LfAfterBom) {
      form.skipped = 3;
      tmp.write("in.txt", "\xEF\xBB\xBF" + bytes);
    } else {
      tmp.write("in.txt", bytes);
    }
    TextFiles shortFiles(shortReads, drives);
    shortFiles.openInput("D:\\in.txt", form, 1);
    Reading r;
    KeptLines store;
    try {
      if (inBulk) {
        const uint64_t read = shortFiles.readLines(1, store, maxLines);
        EXPECT_EQ(read, store.lines.size());
        EXPECT_EQ(store.handedOn, store.lines.size()) << "lines not handed on when reading stopped";
      } else {
        SjisString line;
        while (store.lines.size() < maxLines && !shortFiles.atEnd(1)) {
          shortFiles.readLineInto(1, line);
          store.endLine(line);
        }
      }
      r.lines = store.lines;
      r.atEnd = shortFiles.atEnd(1);
      while (!shortFiles.atEnd(1)) r.rest.push_back(shortFiles.readLine(1));
    } catch (const RuntimeError& e) {
      r.lines = store.lines;
      r.error = e.errorCode;
    }
    shortFiles.closeFiles();
    return r;
  }

  test::FaultyFileSystem shortReads{0};
};

TEST_F(BulkReading, FindsWhatReadingLineByLineFinds) {
  std::mt19937 random(20261208);
  int errors = 0, stoppedEarly = 0;
  for (int round = 0; round < 600; ++round) {
    const std::string bytes = randomFile(random);
    const Source source = Source(random() % 3);
    const uint64_t maxLines = random() % 2 == 0 ? UINT64_MAX : random() % 8;
    // Read in one block, the file's lines are those of reading one by one;
    // read in pieces of 1 to 40 bytes, or in whole blocks, they must stay so.
    shortReads.readLimit = 0;
    const Reading whole = read(bytes, source, maxLines, false);
    shortReads.readLimit = random() % 5 == 0 ? 0 : 1 + random() % 40;
    SCOPED_TRACE("round " + std::to_string(round) + ", source " + std::to_string(int(source)) + ", reads of " +
                 std::to_string(shortReads.readLimit) + ", at most " + std::to_string(maxLines) + " lines");
    ASSERT_EQ(read(bytes, source, maxLines, false), whole);
    ASSERT_EQ(read(bytes, source, maxLines, true), whole);
    errors += whole.error != 0;
    stoppedEarly += !whole.atEnd && whole.error == 0;
  }
  // The generated files reach the cases that matter.
  EXPECT_GT(errors, 10);
  EXPECT_GT(stoppedEarly, 50);
}

TEST_F(BulkReading, ALineOverTheLongestLengthIsAnErrorOnlyOnceItIsRead) {
  const std::string longest(kLongestLine, 'x');
  tmp.write("long.txt", "a\r\n" + longest + "yz");
  files.openFile("D:\\long.txt", FileMode::Input, 1);
  KeptLines store;
  EXPECT_EQ(files.readLines(1, store, 1), 1u);
  EXPECT_EQ(codeOf([&] { files.readLines(1, store, 1); }), err::kStringTooLong);
  EXPECT_EQ(store.lines, std::vector<std::string>{"a"});
}

}  // namespace
}  // namespace headly
