#include "pdf/ipa_gothic.h"

#include <cairo-ft.h>
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>

#include "text/error_codes.h"
#include "text/runtime_error.h"

namespace headly {

namespace {

constexpr char kFamily[] = "IPAGothic";

struct PatternFree {
  void operator()(FcPattern* p) const { FcPatternDestroy(p); }
};
using Pattern = std::unique_ptr<FcPattern, PatternFree>;

// The file of IPA Gothic; error 63 when fontconfig offers another face.
std::string ipaGothicFile() {
  Pattern wanted(FcPatternCreate());
  FcPatternAddString(wanted.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(kFamily));
  FcConfigSubstitute(nullptr, wanted.get(), FcMatchPattern);
  FcDefaultSubstitute(wanted.get());
  FcResult result = FcResultNoMatch;
  Pattern found(FcFontMatch(nullptr, wanted.get(), &result));
  FcChar8* family = nullptr;
  FcChar8* file = nullptr;
  if (!found || FcPatternGetString(found.get(), FC_FAMILY, 0, &family) != FcResultMatch ||
      std::strcmp(reinterpret_cast<const char*>(family), kFamily) != 0 ||
      FcPatternGetString(found.get(), FC_FILE, 0, &file) != FcResultMatch)
    raise(err::kFileNotFound);
  return reinterpret_cast<const char*>(file);
}

// The tag of the character map in a TrueType file's table directory gets
// another name, which no reader looks for.
void hideCharacterMap(std::string& font) {
  if (font.size() < 12) raise(err::kFileNotFound);
  const size_t tables = (size_t(uint8_t(font[4])) << 8) | uint8_t(font[5]);
  for (size_t k = 0; k < tables && 12 + 16 * k + 4 <= font.size(); ++k) {
    char* tag = font.data() + 12 + 16 * k;
    if (std::memcmp(tag, "cmap", 4) == 0) std::memcpy(tag, "xmap", 4);
  }
}

const cairo_user_data_key_t kFontsKey{};

}  // namespace

// The library, the face that maps characters to glyphs, and cairo's face
// over the same file without its map, which needs its bytes while it lives.
struct IpaGothic::Fonts {
  FT_Library library = nullptr;
  FT_Face mapping = nullptr, drawing = nullptr;
  std::string bytes;

  ~Fonts() {
    if (drawing) FT_Done_Face(drawing);
    if (mapping) FT_Done_Face(mapping);
    if (library) FT_Done_FreeType(library);
  }
};

IpaGothic::IpaGothic() {
  const std::string file = ipaGothicFile();
  auto fonts = std::make_unique<Fonts>();
  std::ifstream in(file, std::ios::binary);
  fonts->bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  hideCharacterMap(fonts->bytes);
  if (FT_Init_FreeType(&fonts->library) != 0) raise(err::kOutOfMemory);
  if (FT_New_Face(fonts->library, file.c_str(), 0, &fonts->mapping) != 0 ||
      FT_New_Memory_Face(fonts->library, reinterpret_cast<const FT_Byte*>(fonts->bytes.data()),
                         FT_Long(fonts->bytes.size()), 0, &fonts->drawing) != 0)
    raise(err::kFileNotFound);
  face_ = cairo_ft_font_face_create_for_ft_face(fonts->drawing, FT_LOAD_NO_HINTING);
  if (cairo_font_face_set_user_data(face_, &kFontsKey, fonts.get(),
                                    [](void* p) { delete static_cast<Fonts*>(p); }) != CAIRO_STATUS_SUCCESS) {
    cairo_font_face_destroy(face_);
    raise(err::kOutOfMemory);
  }
  fonts_ = fonts.release();
}

IpaGothic::~IpaGothic() { cairo_font_face_destroy(face_); }

uint32_t IpaGothic::glyphOf(uint32_t character) const { return FT_Get_Char_Index(fonts_->mapping, character); }

bool isWindowsLatin(uint32_t c) {
  static constexpr uint32_t kFrom80[] = {0x20AC, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6,
                                         0x2030, 0x0160, 0x2039, 0x0152, 0x017D, 0x2018, 0x2019, 0x201C,
                                         0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A,
                                         0x0153, 0x017E, 0x0178};
  if ((c >= 0x20 && c <= 0x7E) || (c >= 0xA1 && c <= 0xFF && c != 0xAD)) return true;
  for (uint32_t latin : kFrom80)
    if (c == latin) return true;
  return false;
}

}  // namespace headly
