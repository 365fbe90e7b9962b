#include "ui/startup.h"

#include <string>

#include "text/encoding.h"
#include "ui/catalogue.h"
#include "ui/form_controls.h"
#include "ui/toolkit.h"

namespace headly {
namespace {

// The controls in the order the program binds them.
struct ControlRun {
  const char* prefix;
  int count;
};
constexpr ControlRun kBindOrder[] = {{"BUTTON", 15}, {"EDIT", 7},  {"TEXT", 14}, {"RADIO", 2},
                                     {"CHECK", 5},   {"LIST", 4},  {"COMBO", 1}, {"GROUP", 1}};

void setStartFont(Ui& ui, const std::string& name) {
  const ControlSpec* control = findControl(name);
  ui.setFontSize(name, control->startFont.size);
  if (std::string_view(control->startFont.face) != control->designFont.face)
    ui.setFontName(name, sjis(control->startFont.face));
}

}  // namespace

void startUp(Ui& ui) {
  for (const char* form : {form2::kForm, form3::kForm, form4::kForm, mainform::kForm})
    ui.setFontSize(form, findForm(form)->startFontSize);
  for (const ControlRun& run : kBindOrder)
    for (int n = 1; n <= run.count; ++n) setStartFont(ui, run.prefix + std::to_string(n));
  ui.setEnabled(form3::kNumbering, false);
}

}  // namespace headly
