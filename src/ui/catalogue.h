// The five windows and their controls: names, kinds, captions, geometry,
// fonts, styles, limits and initial states. Both window backends build their
// windows from this one table.
#pragma once

#include <string_view>
#include <vector>

namespace headly {

enum class ControlKind { Button, Radio, Check, Group, Edit, Label, List, Combo };

struct Geometry {
  int x, y, width, height;
};

struct FontSpec {
  const char* face;  // UTF-8
  float size;
};

struct ControlSpec {
  const char* name;
  ControlKind kind;
  const char* caption;  // UTF-8; empty for none
  Geometry geometry;
  FontSpec designFont;
  FontSpec startFont;  // set by start-up
  int maxBytes = 0;    // edits: byte limit of typed text (0: none)
  bool digitsOnly = false;
  bool scrollsHorizontally = false;
  bool multiSelect = false;  // lists: a click toggles a row
  bool sorted = false;
  bool checked = false;  // check boxes and radio buttons
  bool centred = false;  // labels
  // For screen readers: the label whose text names the control, the control
  // whose text describes it, or a name of its own where the caption is a
  // sign or there is no label (UTF-8). None of them is shown.
  const char* labelledBy = nullptr;
  const char* describedBy = nullptr;
  const char* spokenName = nullptr;
};

enum class FrameStyle { Main, SizingNoMenu, DialogNoMenu };

struct FormSpec {
  const char* name;
  const char* caption;  // UTF-8
  Geometry geometry;
  FrameStyle frame;
  FontSpec designFont;
  float startFontSize;  // 0: not changed at start-up
  std::vector<ControlSpec> controls;
  const char* defaultButton = nullptr;  // pressed by Enter in a field of the form
};

const std::vector<FormSpec>& formCatalogue();
// The catalogue entry of a form name ("FORM3"), or nullptr.
const FormSpec* findForm(std::string_view name);
// The catalogue entry of a control name ("LIST1") and the form it is on, or nullptr.
const ControlSpec* findControl(std::string_view name, const FormSpec** form = nullptr);

// Colours of the 16-colour drawing palette, as 0xRRGGBB.
unsigned paletteColour(int index);

}  // namespace headly
