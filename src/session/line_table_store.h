// Puts the lines of the data file into a line table as they are read, shows
// how far the reading is, and has the data lines counted on another thread
// while later blocks are still read.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "session/background_count.h"
#include "session/line_table.h"
#include "session/work_progress.h"
#include "system/line_store.h"

namespace headly {

class LineTableStore : public LineStore {
 public:
  // progress steps with the data lines read (all lines after the first).
  LineTableStore(LineTable& lines, WorkProgress& progress) : lines_(lines), progress_(progress) {}

  // The lines ended from now on are counted when counts is true for them.
  void countLines(BackgroundCount::Counts counts);
  // The count of the lines handed to counting; nothing when the table had
  // to grow past its room meanwhile, so that the lines would have moved
  // under the count (then they are to be counted once they are all read).
  std::optional<int64_t> countedLines();
  // Counts no more: the lines may change once it has returned.
  void stopCounting();

  void addPart(std::string_view bytes) override {
    keepLinesInPlace(bytes.size());
    lines_.appendPart(bytes);
  }
  void endLine(std::string_view bytes) override {
    keepLinesInPlace(bytes.size());
    lines_.append(bytes);
  }
  void endLines(const char* block, std::span<const LineBounds> lines) override {
    size_t bytes = 0;
    for (const LineBounds& line : lines) bytes += line.end - line.begin;
    if (count_ && (bytes > lines_.spareBytes() || lines.size() > lines_.spareLines())) stopCounting();
    lines_.appendLines(block, lines, bytes);
  }
  void blockRead() override;

 private:
  // The count reads the lines where they are: before a line that the room
  // reserved for bytes or for line ends does not hold, it stops.
  void keepLinesInPlace(size_t bytes) {
    if (count_ && (bytes > lines_.spareBytes() || lines_.spareLines() == 0)) stopCounting();
  }

  LineTable& lines_;
  WorkProgress& progress_;
  std::optional<BackgroundCount> count_;
  size_t handedOn_ = 0;  // the lines before it went to the count
};

}  // namespace headly
