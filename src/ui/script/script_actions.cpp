// What the script does on the forms while the program waits: presses,
// checks, typing, rows selected by number or name, entries chosen.
#include <algorithm>
#include <map>

#include "text/encoding.h"
#include "ui/script/script_backend.h"
#include "ui/script/transcript_text.h"
#include "ui/typing.h"

namespace headly {

void ScriptBackend::userAction(const ScriptLine& line) {
  const std::string& command = line.command();
  const std::string asked = waitingOn();
  if (line.tokens.size() < 2) misfit(line, command + " needs a control name", asked);
  const std::string& name = line.tokens[1];
  const auto found = windows_.find(name);
  if (found == windows_.end() || !found->second.control) misfit(line, "there is no control " + echoedScriptText(name), asked);
  Window& w = found->second;

  static const std::map<std::string, ControlKind> kKindOf = {
      {"press", ControlKind::Button}, {"check", ControlKind::Check},  {"radio", ControlKind::Radio},
      {"type", ControlKind::Edit},    {"select", ControlKind::List},  {"choose", ControlKind::Combo},
      {"click", ControlKind::List}};
  if (w.control->kind != kKindOf.at(command)) misfit(line, name + " cannot be used with " + command, asked);
  const Window& form = window(w.owner->name);
  if (!form.visible) misfit(line, name + " is on " + w.owner->name + ", which is not shown", asked);
  if (!w.visible) misfit(line, name + " is hidden", asked);
  if (!w.enabled || !form.enabled) misfit(line, name + " is disabled", asked);

  const size_t argc = line.tokens.size();
  const auto expectArgs = [&](size_t least, size_t most) {
    if (argc < least || argc > most) misfit(line, "wrong number of words for " + command, asked);
  };
  if (command == "press") {
    expectArgs(2, 2);
    raiseEvent(name, "ON");
  } else if (command == "check") {
    expectArgs(2, 2);
    w.check = w.check == 1 ? 0 : 1;
    raiseEvent(name, "ON");
  } else if (command == "radio") {
    expectArgs(2, 2);
    for (const ControlSpec& other : w.owner->controls)
      if (other.kind == ControlKind::Radio) window(other.name).check = 0;
    w.check = 1;
    raiseEvent(name, "ON");
  } else if (command == "type") {
    expectArgs(2, 3);
    w.text = typedInto(typingRuleOf(*w.control), argc == 3 ? scriptText(line, line.tokens[2], asked) : SjisString());
    raiseEvent(name, "CHANGE");
  } else if (command == "select") {
    if (argc < 3) misfit(line, "select needs row numbers", asked);
    for (size_t i = 2; i < argc; ++i) {
      const std::string& row = line.tokens[i];
      if (row.starts_with('=')) {
        w.click(*w.control, namedRow(line, w, name, row.substr(1), asked));
        raiseEvent(name, "CLICK");
        continue;
      }
      if (row.empty() || row.size() > 9 || row.find_first_not_of("0123456789") != std::string::npos ||
          std::stoul(row) >= w.rows.size())
        misfit(line, name + " has no row " + row + " (it has " + std::to_string(w.rows.size()) + ")", asked);
      w.click(*w.control, std::stoi(row));
      raiseEvent(name, "CLICK");
    }
  } else {  // choose and click pick an entry by its text
    expectArgs(command == "click" ? 2 : 3, 3);
    int row = -1;
    if (argc == 3) {
      const SjisString entry = scriptText(line, line.tokens[2], asked);
      const auto at = std::find(w.rows.begin(), w.rows.end(), entry);
      if (at == w.rows.end()) misfit(line, name + " has no entry " + line.tokens[2], asked);
      row = int(at - w.rows.begin());
    }
    w.click(*w.control, row);
    raiseEvent(name, command == "choose" ? "CHANGE" : "CLICK");
  }
}

int ScriptBackend::namedRow(const ScriptLine& line, const Window& list, const std::string& listName,
                            const std::string& rowName, const std::string& asked) const {
  const SjisString text = scriptText(line, rowName, asked);
  std::vector<size_t> matches;
  std::string rows;
  for (size_t i = 0; i < list.rows.size(); ++i) {
    if (list.rows[i] == text) matches.push_back(i);
    rows += (i == 0 ? "" : ", ") + std::to_string(i) + ' ' + transcriptText(list.rows[i]);
  }
  if (matches.size() == 1) return int(matches.front());
  const std::string count = matches.empty() ? "no row" : std::to_string(matches.size()) + " rows";
  misfit(line, listName + " has " + count + " named " + rowName + " (rows: " + (rows.empty() ? "none" : rows) + ")",
         asked);
}

void ScriptBackend::raiseEvent(const std::string& control, const char* event) { sink_->controlEvent({control, event}); }

}  // namespace headly
