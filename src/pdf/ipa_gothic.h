// The monospace Japanese face of the printed layout: IPA Gothic, where a
// full-width character is one em wide and a half-width one half of it,
// found through fontconfig.
//
// cairo gives every character of the Windows Latin set (the ASCII letters
// among them) a font of its own in the document; so that the document holds
// one font, cairo is given the face without its character map: it then
// knows a glyph by its number only, and the characters come from the text
// given with the glyphs.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <string>

namespace headly {

class IpaGothic {
 public:
  // Error 63 when IPA Gothic is not installed.
  IpaGothic();
  ~IpaGothic();
  IpaGothic(const IpaGothic&) = delete;
  IpaGothic& operator=(const IpaGothic&) = delete;

  // The face for cairo (kept alive by its own references).
  cairo_font_face_t* face() const { return face_; }
  // The glyph of a character; 0 (the missing glyph) when it has none.
  uint32_t glyphOf(uint32_t character) const;

 private:
  struct Fonts;
  Fonts* fonts_ = nullptr;
  cairo_font_face_t* face_ = nullptr;
};

// True for the characters that cairo would put into a separate Latin font:
// those of the Windows Latin set (cp1252).
bool isWindowsLatin(uint32_t character);

}  // namespace headly
