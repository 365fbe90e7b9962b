// How the layout's lines fall onto pages: a page holds linesPerPage lines;
// a page that begins inside a group first repeats the heading lines in
// force there, each marked as continued; the lines of a record (with the
// heading lines it opens) move to the next page when they do not fit on
// this one but fit on a page of their own.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "output/layout_blocks.h"

namespace headly {

// Receives the pages as they are planned.
class PageSink {
 public:
  virtual ~PageSink() = default;
  virtual void beginPage() = 0;
  // A line of the page, in order; carried: a heading line repeated from an
  // earlier page.
  virtual void line(std::string_view text, bool carried) = 0;
  virtual void endPage() = 0;
};

class PagePlan {
 public:
  PagePlan(int32_t linesPerPage, PageSink& sink) : linesPerPage_(linesPerPage), sink_(sink) {}

  // The next block of the layout, its marks included.
  void add(const LayoutBlock& block);
  // Ends the last page; a layout without lines still gets one page.
  void finish();
  int64_t pages() const { return pages_; }

 private:
  struct Part {
    std::string_view lines;  // each ended by kLineEnd
    int32_t level;           // kRecordLines for the record's own lines
  };

  void addRecord(const std::vector<Part>& parts);
  void place(std::string_view text);
  void newPage();
  void endPage();
  int64_t carriedCount() const;

  const int32_t linesPerPage_;
  PageSink& sink_;
  // The heading lines in force, by level.
  std::vector<std::vector<std::string>> headings_;
  std::vector<Part> parts_;
  int32_t used_ = 0;
  bool open_ = false;
  int64_t pages_ = 0;
};

}  // namespace headly
