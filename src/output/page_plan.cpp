#include "output/page_plan.h"

#include "system/text_files.h"

namespace headly {

namespace {

int64_t countLines(std::string_view lines) {
  int64_t count = 0;
  for (size_t at = lines.find(kLineEnd); at != std::string_view::npos; at = lines.find(kLineEnd, at + 2)) ++count;
  return count;
}

}  // namespace

void PagePlan::add(const LayoutBlock& block) {
  const std::string_view lines = block.lines.lines();
  parts_.clear();
  for (size_t k = 0; k < block.marks.size(); ++k) {
    const LayoutMark& mark = block.marks[k];
    const size_t end = k + 1 < block.marks.size() ? block.marks[k + 1].offset : lines.size();
    parts_.push_back({lines.substr(mark.offset, end - mark.offset), mark.level});
    if (mark.level == kRecordLines) {
      addRecord(parts_);
      parts_.clear();
    }
  }
}

void PagePlan::addRecord(const std::vector<Part>& parts) {
  // The record's own headings replace those of their level and below.
  if (parts.front().level != kRecordLines) headings_.resize(size_t(parts.front().level));
  int64_t count = 0;
  for (const Part& part : parts) count += countLines(part.lines);
  if (open_ && used_ + count > linesPerPage_ && carriedCount() + count <= linesPerPage_) newPage();
  for (const Part& part : parts) {
    if (part.level != kRecordLines) {
      headings_.resize(size_t(part.level));
      headings_.emplace_back();
    }
    std::string_view rest = part.lines;
    for (size_t end = rest.find(kLineEnd); end != std::string_view::npos; end = rest.find(kLineEnd)) {
      place(rest.substr(0, end));
      if (part.level != kRecordLines) headings_.back().emplace_back(rest.substr(0, end));
      rest.remove_prefix(end + kLineEnd.size());
    }
  }
}

void PagePlan::place(std::string_view text) {
  if (!open_ || used_ == linesPerPage_) newPage();
  sink_.line(text, false);
  ++used_;
}

// A new page repeats the heading lines in force, as many as leave room for
// one line of its own.
void PagePlan::newPage() {
  endPage();
  sink_.beginPage();
  open_ = true;
  used_ = 0;
  ++pages_;
  for (const auto& level : headings_)
    for (const std::string& line : level) {
      if (used_ + 1 >= linesPerPage_) return;
      sink_.line(line, true);
      ++used_;
    }
}

void PagePlan::endPage() {
  if (open_) sink_.endPage();
  open_ = false;
}

int64_t PagePlan::carriedCount() const {
  int64_t count = 0;
  for (const auto& level : headings_) count += int64_t(level.size());
  return count;
}

void PagePlan::finish() {
  if (pages_ == 0) newPage();
  endPage();
}

}  // namespace headly
