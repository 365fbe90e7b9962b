#include "ui/script/script_backend.h"

#include <algorithm>

#include "ui/list_rows.h"
#include "ui/script/transcript_text.h"

namespace headly {

void ScriptBackend::setVisible(const std::string& name, bool visible) {
  Window& w = window(name);
  if (w.form && visible && !w.visible) out_ << "form " << name << ' ' << transcriptText(w.text) << '\n';
  w.visible = visible;
}

bool ScriptBackend::isVisible(const std::string& name) { return window(name).visible; }
void ScriptBackend::setEnabled(const std::string& name, bool enabled) { window(name).enabled = enabled; }
bool ScriptBackend::isEnabled(const std::string& name) { return window(name).enabled; }
// Without a screen there is no stacking of windows, no input method and no
// font: these leave the model as it is.
void ScriptBackend::setTopMost(const std::string&, bool) {}

SjisString ScriptBackend::getText(const std::string& name) {
  const Window& w = window(name);
  if (w.control && (w.control->kind == ControlKind::List || w.control->kind == ControlKind::Combo))
    return w.current >= 0 ? w.rows[size_t(w.current)] : SjisString();
  return w.text;
}

void ScriptBackend::setText(const std::string& name, const SjisString& text) {
  Window& w = window(name);
  if (w.control && w.control->kind == ControlKind::Combo) {
    // A drop-down list shows only its entries: the text selects one.
    const auto row = std::find(w.rows.begin(), w.rows.end(), text);
    w.current = row == w.rows.end() ? -1 : int(row - w.rows.begin());
    return;
  }
  w.text = text;
}

int ScriptBackend::getCheck(const std::string& name) { return window(name).check; }
void ScriptBackend::setCheck(const std::string& name, int state) { window(name).check = state; }
int ScriptBackend::listCount(const std::string& name) { return int(window(name).rows.size()); }
bool ScriptBackend::listSelected(const std::string& name, int index) { return window(name).selected[size_t(index)]; }
int ScriptBackend::listIndex(const std::string& name) { return window(name).current; }

void ScriptBackend::setListIndex(const std::string& name, int index) {
  Window& w = window(name);
  w.setIndex(*w.control, index);
}

SjisString ScriptBackend::listItem(const std::string& name, int index) { return window(name).rows[size_t(index)]; }

void ScriptBackend::listAdd(const std::string& name, const SjisString& text) {
  Window& w = window(name);
  w.add(*w.control, text);
}

void ScriptBackend::listClear(const std::string& name) {
  window(name).clear();
}

void ScriptBackend::setImeMode(const std::string&, int) {}
void ScriptBackend::setFontSize(const std::string&, float) {}
void ScriptBackend::setFontName(const std::string&, const SjisString&) {}

std::string ScriptBackend::describe(const std::string& name) const {
  const auto found = windows_.find(name);
  if (found == windows_.end()) return "show " + name + " | no such control";
  const Window& w = found->second;
  std::string out = "show " + name;
  const auto add = [&out](const std::string& part) { out += " | " + part; };
  const char* visible = w.visible ? "visible" : "hidden";
  const char* enabled = w.enabled ? "enabled" : "disabled";
  if (w.form) {
    add(transcriptText(w.text));
    add(visible);
    return out;
  }
  switch (w.control->kind) {
    case ControlKind::List:
    case ControlKind::Combo:
      for (size_t i = 0; i < w.rows.size(); ++i) {
        const bool marked = w.control->multiSelect ? bool(w.selected[i]) : int(i) == w.current;
        add((marked ? "*" : "") + transcriptText(w.rows[i]));
      }
      break;
    case ControlKind::Edit:
    case ControlKind::Label:
      add(transcriptText(w.text));
      break;
    case ControlKind::Check:
    case ControlKind::Radio:
      add(w.check == 1 ? "checked" : w.check == 2 ? "indeterminate" : "unchecked");
      add(enabled);
      break;
    case ControlKind::Button:
    case ControlKind::Group:
      add(transcriptText(w.text));
      add(visible);
      add(enabled);
      break;
  }
  return out;
}

}  // namespace headly
