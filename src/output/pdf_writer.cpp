#include "output/pdf_writer.h"

#include <algorithm>
#include <cstdio>
#include <ctime>

#include "output/page_format.h"
#include "output/page_plan.h"
#include "text/encoding.h"

namespace headly {

namespace {

constexpr int kDocument = 1;
constexpr char kContinued[] = "（続き）";

class FileSink : public ByteSink {
 public:
  explicit FileSink(TextFiles& files) : files_(files) {}
  void write(std::string_view bytes) override { files_.writeBytes(kDocument, bytes); }

 private:
  TextFiles& files_;
};

// The widest line in bytes; a heading line counts with the mark it gets
// when a later page repeats it.
int64_t widestLine(const RecordCells& cells, const Layout& layout, const WorkSplit& split, ProgressDisplay& display) {
  WorkProgress progress(display, "PDFの準備中", cells.recordCount());
  const int64_t continued = int64_t(sjis(kContinued).size());
  int64_t widest = 1;
  layOutRecords(cells, layout, split, true, [&](const LayoutBlock& block, int64_t lastRecord) {
    const std::string_view lines = block.lines.lines();
    size_t mark = 0;
    for (size_t begin = 0, end; (end = lines.find(kLineEnd, begin)) != std::string_view::npos;
         begin = end + kLineEnd.size()) {
      while (mark + 1 < block.marks.size() && block.marks[mark + 1].offset <= begin) ++mark;
      const bool heading = !block.marks.empty() && block.marks[mark].level != kRecordLines;
      widest = std::max(widest, int64_t(end - begin) + (heading ? continued : 0));
    }
    progress.stepBlock(lastRecord);
  });
  progress.finish();
  return widest;
}

class PageCount : public PageSink {
 public:
  void beginPage() override {}
  void line(std::string_view, bool) override {}
  void endPage() override {}
};

int64_t countPages(const RecordCells& cells, const Layout& layout, const WorkSplit& split, int32_t linesPerPage,
                   ProgressDisplay& display) {
  WorkProgress progress(display, "PDFのページ割り中", cells.recordCount());
  PageCount count;
  PagePlan plan(linesPerPage, count);
  layOutRecords(cells, layout, split, true, [&](const LayoutBlock& block, int64_t lastRecord) {
    plan.add(block);
    progress.stepBlock(lastRecord);
  });
  plan.finish();
  progress.finish();
  return plan.pages();
}

// "2026年12月9日", today.
SjisString today() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[64];
  std::snprintf(text, sizeof text, "%d年%d月%d日", local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
  return sjis(text);
}

// Draws the planned pages: header, lines and footer.
class PageDrawer : public PageSink {
 public:
  PageDrawer(PageDrawing& drawing, const PageFormat& format, const SjisString& dataName, int64_t pages,
             ProgressDisplay& display)
      : drawing_(drawing),
        format_(format),
        name_(dataName),
        date_(today()),
        pages_(pages),
        progress_(display, "PDFの書き込み中", pages, "ページ") {}

  void beginPage() override {
    drawing_.beginPage(format_.width, format_.height);
    ++page_;
    line_ = 0;
    const double right = format_.width - format_.margin;
    const double size = markSizeFor(format_, int64_t(name_.size() + date_.size()) + 4);
    drawing_.text(format_.margin, format_.headerBaseline, size, name_);
    drawing_.text(right - double(date_.size()) * size / 2, format_.headerBaseline, size, date_);
  }

  void line(std::string_view text, bool carried) override {
    const double y = format_.firstBaseline + double(line_++) * format_.pitch;
    if (!carried) {
      drawing_.text(format_.margin, y, format_.size, text);
      return;
    }
    carried_.assign(text);
    carried_ += sjis(kContinued);
    drawing_.text(format_.margin, y, format_.size, carried_);
  }

  void endPage() override {
    const std::string number = std::to_string(page_) + " / " + std::to_string(pages_);
    const double size = markSizeFor(format_, int64_t(number.size()));
    drawing_.text((format_.width - double(number.size()) * size / 2) / 2, format_.footerBaseline, size, number);
    drawing_.endPage();
    progress_.stepEach(page_);
  }

  void finish() { progress_.finish(); }

 private:
  PageDrawing& drawing_;
  const PageFormat& format_;
  const SjisString& name_;
  const SjisString date_;
  const int64_t pages_;
  WorkProgress progress_;
  int64_t page_ = 0;
  int32_t line_ = 0;
  SjisString carried_;
};

}  // namespace

void writeLayoutPdf(const RecordCells& cells, const Layout& layout, TextFiles& files, const SjisString& target,
                    const SjisString& dataName, PagePrinter& printer, ProgressDisplay& display,
                    const WorkSplit& split) {
  files.openByteOutput(target, kDocument);
  const PageFormat format = pageFormatFor(widestLine(cells, layout, split, display));
  const int64_t pages = countPages(cells, layout, split, format.linesPerPage, display);
  FileSink sink(files);
  const std::unique_ptr<PageDrawing> drawing = printer.open(sink);
  PageDrawer drawer(*drawing, format, dataName, pages, display);
  PagePlan plan(format.linesPerPage, drawer);
  layOutRecords(cells, layout, split, true, [&](const LayoutBlock& block, int64_t) { plan.add(block); });
  plan.finish();
  drawing->finish();
  drawer.finish();
  files.closeFiles();
}

}  // namespace headly
