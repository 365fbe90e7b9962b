#include "output/preview.h"

#include <cmath>

#include "text/encoding.h"
#include "text/numbers.h"

namespace headly {

namespace {

// Colour numbers of the drawing palette.
constexpr int kBlack = 0;
constexpr int kMagenta = 7;
constexpr int kCyan = 11;
constexpr int kYellow = 13;
constexpr int kLightGrey = 14;
constexpr int kWhite = 15;

constexpr int kRowHeight = 20;
constexpr int kBarHeight = 10;
constexpr int kFirstRowY = 100;
constexpr int kRulerY = 80;
constexpr int kRulerStep = 8;
constexpr int kDrawingWidth = 640;

// Columns to pixels: 8 pixels a column while the layout fits in 640 pixels,
// otherwise the whole width shrinks to 640.
class Scale {
 public:
  explicit Scale(float lineWidth) : lineWidth_(lineWidth), fits_(lineWidth * kRulerStep < kDrawingWidth) {}
  int pixels(float columns) const {
    const double exact = fits_ ? double(columns) * kRulerStep : double(columns) * kDrawingWidth / double(lineWidth_);
    return int(std::floor(exact));
  }

 private:
  float lineWidth_;
  bool fits_;
};

class PreviewPainter {
 public:
  PreviewPainter(Drawing& drawing, const RecordCells& cells, const LayoutSettings& settings, int currentItem)
      : drawing_(drawing),
        cells_(cells),
        settings_(settings),
        current_(currentItem),
        folderMode_(cells.options().folderMode),
        scale_(settings.lineWidth) {}

  void draw() {
    drawing_.clear();
    drawing_.text(0, 10, sjis("　　　＜＜＜　レイアウト表示　＞＞＞"), 2, 2, kMagenta);
    if (cells_.options().fullWidth) drawing_.text(0, 40, sjis("　　　　　　　　　　　　　　　　 （全角モード）"), 1, 1, kYellow);
    drawing_.text(0, 55, sjis("　　　　　　　　　　　　横方向文字数　半角で最大") + formatNumber(settings_.lineWidth) + sjis("字"), 1, 1,
                 kCyan);
    const bool textForm = current_ < settings_.firstBodyItem;
    for (int j = 0; j <= current_; ++j) {
      if (j == settings_.firstBodyItem) colourStep_ = 4;
      if (j < settings_.firstBodyItem) {
        if (textForm)
          drawHeadingText(j);
        else
          drawHeadingBars(j);
      } else {
        drawBodyBars(j);
      }
    }
  }

 private:
  const ItemLayout& item(int j) const { return settings_.items[size_t(j)]; }
  SjisString name(int j) const { return cells_.itemName(j); }
  static int atLeastOne(int32_t n) { return n < 1 ? 1 : n; }

  void bar(int left, float columns, int colour) {
    drawing_.box(left, y_, left + scale_.pixels(columns) - 1, y_ + kBarHeight, colour);
  }

  // While the headings are set the picture is text: a ruler, then the
  // item's lines of asterisks at its indent. In folder mode the mark says
  // which heading becomes a folder and which the file name.
  void drawHeadingText(int j) {
    for (int k = 0; k <= settings_.lineWidth; ++k) {
      const int digit = (k + 1) % 10;
      drawing_.text(k * kRulerStep, kRulerY, SjisString(1, char('0' + digit)), 1, 1, digit == 0 ? kYellow : kLightGrey);
    }
    const ItemLayout& it = item(j);
    const SjisString indent = blanks(roundToInt(it.indent));
    const SjisString line = indent + repeatByte(roundToInt(it.charsPerLine), "*");
    SjisString label = sjis("　←") + name(j);
    if (folderMode_ && j == current_ - 1) label += sjis("（ファイル名化）");
    if (folderMode_ && j < current_ - 1) label += sjis("（フォルダ化）");
    const int lines = atLeastOne(it.fullLines);
    for (int k = 1; k <= lines; ++k) {
      drawing_.text(0, y_, k == 1 ? line + label : line, 1, 1, kWhite);
      y_ += kRowHeight;
    }
    if (it.remainder > 0) {
      drawing_.text(0, y_, indent + repeatByte(it.remainder, "*"), 1, 1, kWhite);
      y_ += kRowHeight;
    }
  }

  // Once the body is set the headings are white bars above it, the indent
  // area blanked out in black.
  void drawHeadingBars(int j) {
    const ItemLayout& it = item(j);
    const int blankEnd = it.startColumn == 0 ? 0 : scale_.pixels(it.startColumn) - 1;
    drawing_.box(0, y_, blankEnd, y_ + kBarHeight, kBlack);
    const int left = blankEnd + 1;
    SjisString label = sjis("　←") + name(j);
    if (folderMode_) label += sjis(j == settings_.firstBodyItem - 1 ? "（ファイル名化）" : "（フォルダ化）");
    const int bars = atLeastOne(it.fullLines);
    for (int k = 1; k <= bars; ++k) {
      bar(left, it.charsPerLine, kWhite);
      if (k == 1) drawing_.text(left + scale_.pixels(it.charsPerLine), y_, label, 1, 1, kWhite);
      y_ += kRowHeight;
    }
    if (it.remainder > 0) {
      bar(left, float(it.remainder), kWhite);
      y_ += kRowHeight;
    }
    bodyTop_ = y_;
  }

  // Body items stand side by side below the headings; an item that joins
  // the previous one keeps its colour, a separate one takes the next of
  // green, cyan and yellow.
  void drawBodyBars(int j) {
    const ItemLayout& it = item(j);
    y_ = bodyTop_;
    if (it.joinPrevious >= 0 && ++colourStep_ > 6) colourStep_ = 4;
    const int colour = 2 * colourStep_ + 1;
    const float leftColumn = j == settings_.firstBodyItem ? it.startColumn : it.startColumn + it.indent;
    const int left = scale_.pixels(leftColumn);
    const int bars = atLeastOne(it.fullLines);
    for (int k = 1; k <= bars; ++k) {
      bar(left, it.charsPerLine, colour);
      y_ += kRowHeight;
    }
    if (it.remainder > 0) bar(left, float(it.remainder), colour);
  }

  Drawing& drawing_;
  const RecordCells& cells_;
  const LayoutSettings& settings_;
  int current_;
  bool folderMode_;
  Scale scale_;
  int y_ = kFirstRowY;
  int bodyTop_ = kFirstRowY;
  int colourStep_ = 4;
};

}  // namespace

void drawPreview(Drawing& drawing, const RecordCells& cells, const LayoutSettings& settings, int currentItem) {
  PreviewPainter(drawing, cells, settings, currentItem).draw();
}

}  // namespace headly
