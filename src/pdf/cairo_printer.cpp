#include "pdf/cairo_printer.h"

#include <cairo-pdf.h>
#include <cairo.h>

#include <exception>
#include <string>
#include <vector>

#include "pdf/ipa_gothic.h"
#include "text/encoding.h"
#include "text/error_codes.h"
#include "system/path_text.h"
#include "text/runtime_error.h"

namespace headly {

namespace {

// The size cairo starts a document with; every page sets its own.
constexpr double kFirstWidth = 595.0, kFirstHeight = 842.0;
constexpr uint32_t kUnknownGlyph = 0xFFFFFFFF;

// The code points of a UTF-8 text, each with its bytes.
struct CodePoint {
  uint32_t value;
  std::string_view bytes;
};

void decodeUtf8(std::string_view utf8, std::vector<CodePoint>& out) {
  out.clear();
  for (size_t i = 0; i < utf8.size();) {
    const unsigned char lead = static_cast<unsigned char>(utf8[i]);
    const size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    uint32_t value = length == 1 ? lead : lead & (0x7F >> length);
    for (size_t k = 1; k < length && i + k < utf8.size(); ++k)
      value = (value << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    out.push_back({value, utf8.substr(i, length)});
    i += length;
  }
}

// One document: the pages go to the sink through cairo's PDF surface. The
// glyphs stand on a grid of half-width columns, so every character stands
// where it stands in the text file, and carry their text so that the
// document can be searched and copied from.
class CairoDrawing : public PageDrawing {
 public:
  explicit CairoDrawing(ByteSink& sink) : sink_(sink), space_(font_.glyphOf(' ')) {
    surface_ = cairo_pdf_surface_create_for_stream(&CairoDrawing::take, this, kFirstWidth, kFirstHeight);
    cairo_pdf_surface_set_metadata(surface_, CAIRO_PDF_METADATA_CREATOR, "HEADLY");
    cr_ = cairo_create(surface_);
    cairo_set_font_face(cr_, font_.face());
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    cairo_set_font_options(cr_, options);
    cairo_font_options_destroy(options);
    check();
  }

  ~CairoDrawing() override {
    // A document left unfinished (an error ends the writing) writes nothing more.
    discarding_ = true;
    cairo_destroy(cr_);
    cairo_surface_destroy(surface_);
  }

  void beginPage(double width, double height) override {
    cairo_pdf_surface_set_size(surface_, width, height);
    check();
  }

  void text(double x, double y, double size, std::string_view text) override {
    if (size != size_) {
      cairo_set_font_size(cr_, size);
      size_ = size;
    }
    placeGlyphs(x, y, size, text);
    if (glyphs_.empty()) return;
    cairo_show_text_glyphs(cr_, utf8_.data(), int(utf8_.size()), glyphs_.data(), int(glyphs_.size()),
                           clusters_.data(), int(clusters_.size()), cairo_text_cluster_flags_t(0));
  }

  void endPage() override {
    cairo_show_page(cr_);
    check();
  }

  void finish() override {
    cairo_surface_finish(surface_);
    check();
  }

 private:
  static cairo_status_t take(void* closure, const unsigned char* data, unsigned int length) {
    auto* self = static_cast<CairoDrawing*>(closure);
    if (self->discarding_ || self->failure_) return CAIRO_STATUS_WRITE_ERROR;
    try {
      self->sink_.write(std::string_view(reinterpret_cast<const char*>(data), length));
    } catch (...) {
      self->failure_ = std::current_exception();
      return CAIRO_STATUS_WRITE_ERROR;
    }
    return CAIRO_STATUS_SUCCESS;
  }

  // A failure of the sink is raised as it was; cairo's own as error 7 when
  // memory ran out, else as an internal error.
  void check() {
    if (failure_) std::rethrow_exception(failure_);
    cairo_status_t status = cairo_status(cr_);
    if (status == CAIRO_STATUS_SUCCESS) status = cairo_surface_status(surface_);
    if (status == CAIRO_STATUS_NO_MEMORY) raise(err::kOutOfMemory);
    if (status != CAIRO_STATUS_SUCCESS) raise(err::kInternalError);
  }

  // The glyphs of a line, a half-width column (a byte of Shift-JIS) being
  // size / 2 wide; blanks take their columns without a glyph.
  void placeGlyphs(double x, double y, double size, std::string_view text) {
    glyphs_.clear();
    clusters_.clear();
    utf8_.clear();
    line_ = toUtf8(text);
    decodeUtf8(line_, points_);
    size_t characters = 0;
    for (size_t at = 0; at < text.size(); at += charLengthAt(text, at)) ++characters;
    // Converted together, every Shift-JIS character is one code point; bytes
    // that make no character may break that, and are converted one by one.
    const bool paired = characters == points_.size();
    size_t point = 0, column = 0;
    for (size_t at = 0; at < text.size(); ++point) {
      const size_t length = charLengthAt(text, at);
      if (paired) {
        addGlyph(points_[point], x, y, size, column, length);
      } else {
        single_ = toUtf8(text.substr(at, length));
        decodeUtf8(single_, singlePoints_);
        for (const CodePoint& p : singlePoints_) addGlyph(p, x, y, size, column, length);
      }
      column += length;
      at += length;
    }
    endLatinRun();
  }

  // A glyph for every character but a blank. The characters of the Windows
  // Latin set go as clusters of more than one glyph: cairo then writes their
  // text as marked content and keeps their glyphs in the one font. A run of
  // such half-width characters (blanks inside it included) is one cluster,
  // led by the blank glyph; a full-width one is its own, followed by it.
  void addGlyph(const CodePoint& point, double x, double y, double size, size_t column, size_t length) {
    const double at = x + double(column) * size / 2;
    const bool latin = isWindowsLatin(point.value);
    if (!latin || length != 1) endLatinRun();
    if (latin && length == 1) {
      if (point.value == ' ') {
        if (runStart_ != kNoRun) blanks_ += 1;
        return;
      }
      if (runStart_ == kNoRun) {
        runStart_ = glyphs_.size();
        runText_ = utf8_.size();
        glyphs_.push_back({space_, at, y});
      }
      utf8_.append(blanks_, ' ');
      blanks_ = 0;
    }
    if (point.value == ' ') return;
    glyphs_.push_back({glyphOf(point.value), at, y});
    utf8_.append(point.bytes);
    if (runStart_ != kNoRun) return;
    if (latin) glyphs_.push_back({space_, at, y});
    clusters_.push_back({int(point.bytes.size()), latin ? 2 : 1});
  }

  // The run's cluster; blanks after its last character stay out of it.
  void endLatinRun() {
    if (runStart_ == kNoRun) return;
    clusters_.push_back({int(utf8_.size() - runText_), int(glyphs_.size() - runStart_)});
    runStart_ = kNoRun;
    blanks_ = 0;
  }

  unsigned long glyphOf(uint32_t value) {
    if (value >= kCached) return font_.glyphOf(value);
    if (glyphs16_[value] == kUnknownGlyph) glyphs16_[value] = font_.glyphOf(value);
    return glyphs16_[value];
  }

  static constexpr uint32_t kCached = 0x10000;
  static constexpr size_t kNoRun = size_t(-1);

  ByteSink& sink_;
  IpaGothic font_;
  const unsigned long space_;
  cairo_surface_t* surface_ = nullptr;
  cairo_t* cr_ = nullptr;
  std::exception_ptr failure_;
  bool discarding_ = false;
  double size_ = 0;
  std::string line_, single_, utf8_;
  // The Latin run being gathered: its first glyph and text byte, and the
  // blanks met since its last character.
  size_t runStart_ = kNoRun, runText_ = 0, blanks_ = 0;
  std::vector<CodePoint> points_, singlePoints_;
  std::vector<cairo_glyph_t> glyphs_;
  std::vector<cairo_text_cluster_t> clusters_;
  std::vector<uint32_t> glyphs16_ = std::vector<uint32_t>(kCached, kUnknownGlyph);
};

}  // namespace

std::unique_ptr<PageDrawing> CairoPrinter::open(ByteSink& sink) { return std::make_unique<CairoDrawing>(sink); }

}  // namespace headly
