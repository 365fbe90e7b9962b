#include "ui/script/script_backend.h"

#include <algorithm>
#include <filesystem>
#include <optional>

#include "system/drives.h"
#include "text/encoding.h"
#include "text/runtime_error.h"
#include "ui/chosen_file.h"
#include "ui/file_dialog_start.h"
#include "ui/list_rows.h"
#include "ui/script/record_limit.h"
#include "ui/typing.h"

namespace headly {
namespace {

namespace fs = std::filesystem;

// The buttons of a button set and the answer codes they give.
struct Answer {
  const char* word;
  int code;
};
const std::vector<Answer>& answersOf(Buttons buttons) {
  static const std::vector<Answer> sets[] = {
      {{"OK", kAnswerOk}},
      {{"OK", kAnswerOk}, {"Cancel", kAnswerCancel}},
      {{"Abort", kAnswerAbort}, {"Retry", kAnswerRetry}, {"Ignore", kAnswerIgnore}},
      {{"Yes", kAnswerYes}, {"No", kAnswerNo}, {"Cancel", kAnswerCancel}},
      {{"Yes", kAnswerYes}, {"No", kAnswerNo}},
      {{"Retry", kAnswerRetry}, {"Cancel", kAnswerCancel}},
  };
  return sets[int(buttons)];
}

const char* buttonsWord(Buttons buttons) {
  static const char* const words[] = {"OK", "OKCancel", "AbortRetryIgnore", "YesNoCancel", "YesNo", "RetryCancel"};
  return words[int(buttons)];
}

const char* iconWord(Icon icon) {
  static const char* const words[] = {"Stop", "Question", "Exclamation", "Information", "None"};
  return words[int(icon)];
}

// A program text as the transcript shows it: UTF-8, line breaks as " / ",
// other control characters escaped.
std::string shown(const SjisString& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      out += '\x01';
    } else {
      out += text[i];
    }
  }
  std::string utf8 = toUtf8(out);
  for (size_t at = utf8.find('\x01'); at != std::string::npos; at = utf8.find('\x01', at))
    utf8.replace(at, 1, " / ");
  return withControlsEscaped(utf8);
}

bool isAnswerCommand(const std::string& command) {
  return command == "answer" || command == "input" || command == "file" || command == "cancel";
}

bool isActionCommand(const std::string& command) {
  for (const char* action : {"press", "check", "radio", "type", "select", "choose", "click", "close", "stop"})
    if (command == action) return true;
  return false;
}

std::string withoutTrailingSlash(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

constexpr size_t kMaxDialogPath = 259;  // the 260-byte buffer holds the NUL too

}  // namespace

std::string transcriptText(const SjisString& text) { return shown(text); }

ScriptBackend::ScriptBackend(ScriptReader& script, Drives& drives, std::ostream& transcript, bool draw)
    : script_(script), drives_(drives), out_(transcript), draw_(draw) {}

void ScriptBackend::createWindows(EventSink& sink) {
  sink_ = &sink;
  for (const FormSpec& form : formCatalogue()) {
    Window& w = windows_[form.name];
    w.form = &form;
    w.text = sjis(form.caption);
    w.visible = false;
    for (const ControlSpec& control : form.controls) {
      Window& c = windows_[control.name];
      c.control = &control;
      c.owner = &form;
      c.text = sjis(control.caption);
      c.check = control.checked ? 1 : 0;
    }
  }
  setVisible("MAINFORM", true);
}

ScriptBackend::Window& ScriptBackend::window(const std::string& name) { return windows_.at(name); }
const ScriptBackend::Window& ScriptBackend::window(const std::string& name) const { return windows_.at(name); }

// ---- Reading the script -------------------------------------------------

ScriptLine ScriptBackend::nextAnswer(const std::string& asked) {
  for (;;) {
    script_.passOverAnswersIfAsked();
    if (script_.atEnd()) throw ScriptMisfit{"the script ended while the program asks: " + asked};
    ScriptLine line = script_.take();
    if (line.command() != "show") return line;
    if (line.tokens.size() != 2) misfit(line, "show takes one control name", asked);
    out_ << describe(line.tokens[1]) << '\n';
  }
}

// The "answer BUTTON if asked" line at the head, after any show lines; it
// stays there, so that it answers the question as often as it is asked.
std::optional<ScriptLine> ScriptBackend::answerIfAsked() {
  while (!script_.atEnd() && script_.peek().command() == "show") {
    const ScriptLine line = script_.take();
    if (line.tokens.size() != 2) misfit(line, "show takes one control name", "a question");
    out_ << describe(line.tokens[1]) << '\n';
  }
  if (script_.atEnd() || !isAnswerIfAsked(script_.peek())) return std::nullopt;
  return script_.peek();
}

void ScriptBackend::misfit(const ScriptLine& line, const std::string& reason, const std::string& asked) const {
  throw ScriptMisfit{describeLine(line) + reason + "; the program asks: " + asked};
}

std::string ScriptBackend::waitingOn() const {
  std::string forms;
  for (const FormSpec& form : formCatalogue())
    if (form.name != std::string_view("MAINFORM") && window(form.name).visible)
      forms += (forms.empty() ? "" : ", ") + std::string(form.name);
  return "a user action on " + (forms.empty() ? std::string("MAINFORM") : forms);
}

SjisString ScriptBackend::scriptText(const ScriptLine& line, const std::string& utf8, const std::string& asked) const {
  std::optional<SjisString> text = fromUtf8(utf8);
  if (!text) misfit(line, "\"" + echoedScriptText(utf8) + "\" has no Shift-JIS form", asked);
  return *text;
}

// ---- Dialogs ------------------------------------------------------------

int ScriptBackend::messageBox(const SjisString& caption, const SjisString& text, Buttons buttons, Icon icon) {
  const std::string asked = messageAsked(caption, text, buttons, icon);
  return answerMessage(nextAnswer(asked), buttons, asked);
}

int ScriptBackend::diskQuestion(const SjisString& caption, const SjisString& text, Buttons buttons, Icon icon) {
  const std::string asked = messageAsked(caption, text, buttons, icon);
  const std::optional<ScriptLine> ifAsked = answerIfAsked();
  return answerMessage(ifAsked ? *ifAsked : nextAnswer(asked), buttons, asked);
}

std::string ScriptBackend::messageAsked(const SjisString& caption, const SjisString& text, Buttons buttons,
                                        Icon icon) const {
  return "message " + shown(caption) + " | " + shown(text) + " | " + buttonsWord(buttons) + " | " + iconWord(icon);
}

int ScriptBackend::answerMessage(const ScriptLine& line, Buttons buttons, const std::string& asked) {
  if (line.command() != "answer" || (line.tokens.size() != 2 && !isAnswerIfAsked(line)))
    misfit(line, "a message box wants answer BUTTON", asked);
  for (const Answer& answer : answersOf(buttons))
    if (line.tokens[1] == answer.word) {
      out_ << asked << " -> " << answer.word << '\n';
      return answer.code;
    }
  misfit(line, "the message box has no button " + echoedScriptText(line.tokens[1]), asked);
}

SjisString ScriptBackend::inputBox(const SjisString& title, const SjisString& prompt, const SjisString& initial) {
  const std::string asked = "input " + shown(title) + " | " + shown(prompt) + " | " + shown(initial);
  const ScriptLine line = nextAnswer(asked);
  SjisString result = kEscMarker;
  if (line.command() == "input" && line.tokens.size() <= 2) {
    result = line.tokens.size() == 2 ? typedInto(kInputBoxTyping, scriptText(line, line.tokens[1], asked)) : "";
  } else if (line.command() == "input" && line.tokens.size() == 3 && line.tokens[1] == "all" &&
             line.tokens[2] == "records") {
    result = allRecordsText(line, asked);
  } else if (line.command() != "cancel" || line.tokens.size() != 1) {
    misfit(line, "the input box wants input TEXT, input or cancel", asked);
  }
  out_ << asked << " -> " << (isEscMarker(result) ? std::string("ESC") : shown(result)) << '\n';
  return result;
}

// The record limit of "input all records": larger than the number of lines
// of the data file chosen last.
SjisString ScriptBackend::allRecordsText(const ScriptLine& line, const std::string& asked) {
  const std::optional<uint64_t> limit = allRecordsLimit(dataFile_);
  if (!limit) misfit(line, "the data file cannot be read: " + dataFile_, asked);
  return std::to_string(*limit);
}

SjisString ScriptBackend::fileDialog(const FileDialogRequest& request) {
  const std::string asked = std::string(request.save ? "save " : "open ") + shown(request.title) + " | " +
                            shown(request.initialPath) + " | " + shown(request.filter);
  chosenFilter_ = 0;
  const SjisString result = chooseFile(request, asked);
  out_ << asked << " -> " << (isEscMarker(result) ? std::string("ESC") : shown(result));
  // A filter entry other than the first is named after the path.
  if (chosenFilter_ > 0) out_ << " [" << shown(request.filters[size_t(chosenFilter_)].text) << ']';
  out_ << '\n';
  return result;
}

// The words after the path of a `file` answer: in a save dialog, what to do
// with an existing file (replace or keep); and a filter word, choosing the
// entry whose text starts with it ("UTF-8").
ScriptBackend::FileAnswerWords ScriptBackend::fileAnswerWords(const ScriptLine& line, const FileDialogRequest& request,
                                                              const std::string& asked) {
  FileAnswerWords words;
  bool filterGiven = false;
  for (size_t t = 2; t < line.tokens.size(); ++t) {
    const std::string& token = line.tokens[t];
    if (request.save && !words.choice && (token == "replace" || token == "keep")) {
      words.choice = token;
      continue;
    }
    const SjisString word = scriptText(line, token, asked);
    size_t k = 0;
    while (k < request.filters.size() && (word.empty() || request.filters[k].text.compare(0, word.size(), word) != 0)) ++k;
    if (filterGiven || k == request.filters.size()) misfit(line, "a file dialog wants file PATH or cancel", asked);
    words.filter = int(k);
    filterGiven = true;
  }
  return words;
}

SjisString ScriptBackend::chooseFile(const FileDialogRequest& request, const std::string& asked) {
  const std::string folder = dialogStartFolder(request, drives_);
  for (;;) {
    const ScriptLine line = nextAnswer(asked);
    if (line.command() == "cancel" && line.tokens.size() == 1) return kEscMarker;
    if (line.command() != "file" || line.tokens.size() < 2 || line.tokens.size() > 4)
      misfit(line, "a file dialog wants file PATH or cancel", asked);
    const FileAnswerWords words = fileAnswerWords(line, request, asked);
    chosenFilter_ = words.filter;
    fs::path native(line.tokens[1]);
    if (native.is_relative()) native = fs::path(folder) / native;
    std::string nativePath = withoutTrailingSlash(native.lexically_normal().string());
    std::error_code ec;
    if (request.save && !fs::is_directory(nativePath, ec))
      nativePath += addedExtension(fs::path(nativePath).filename().string(), request.filters[size_t(words.filter)]);

    const std::optional<SjisString> path = drives_.fromNative(nativePath);
    const std::optional<SjisString> bytes = fromNativeName(nativePath);
    std::string refusal;
    if (!bytes) {
      const std::string name = Drives::nameWithoutShiftJis(nativePath);
      refusal = name == fs::path(nativePath).filename().string() ? "no Shift-JIS form"
                                                                  : "the folder " + name + " has no Shift-JIS form";
    } else if (hasWildcard(*bytes)) {
      refusal = "a pattern filters the list, it names no file";
    } else if (!path ? bytes->size() + 2 > kMaxDialogPath : path->size() > kMaxDialogPath) {
      refusal = "longer than 259 bytes";  // "C:" comes in front of the native path
    } else if (!path) {
      refusal = "not a valid file name";
    }
    if (!refusal.empty()) {
      out_ << "refused " << withControlsEscaped(line.tokens[1]) << " (" << withControlsEscaped(refusal) << ")\n";
      continue;
    }
    const ChosenFile chosen = lookAtChosenFile(drives_, *path);
    if (!request.save) {
      if (chosen.kind != EntryKind::RegularFile) misfit(line, "not an existing file: " + echoedScriptText(nativePath), asked);
      // Its names as they are on disk, in whichever Unicode form (〜 or ～).
      dataFile_ = formOnDisk(*path, nativePath);
      return *path;
    }
    if (chosen.kind == EntryKind::Folder) misfit(line, "a folder, not a file: " + echoedScriptText(nativePath), asked);
    if (!chosen.folderExists) misfit(line, "no such folder: " + echoedScriptText(nativePath), asked);
    if (chosen.kind == EntryKind::Missing || !request.overwritePrompt) return *path;
    if (words.choice) {
      // The choice written on the line answers the question: keep leaves the
      // file as it is and cancels the dialog.
      const bool replace = *words.choice == "replace";
      out_ << "overwrite " << shown(*path) << " -> " << (replace ? "Yes" : "No") << '\n';
      return replace ? *path : SjisString(kEscMarker);
    }
    if (!confirmOverwrite(*path)) continue;
    return *path;
  }
}

std::string ScriptBackend::formOnDisk(const SjisString& path, const std::string& typed) const {
  try {
    return drives_.toNative(path);
  } catch (const RuntimeError&) {
    return typed;
  }
}

bool ScriptBackend::confirmOverwrite(const SjisString& path) {
  const std::string asked = "overwrite " + shown(path);
  const std::optional<ScriptLine> ifAsked = answerIfAsked();
  const ScriptLine line = ifAsked ? *ifAsked : nextAnswer(asked);
  if (line.command() != "answer" || (line.tokens.size() != 2 && !isAnswerIfAsked(line)) ||
      (line.tokens[1] != "Yes" && line.tokens[1] != "No"))
    misfit(line, "the overwrite question wants answer Yes or answer No", asked);
  out_ << asked << " -> " << line.tokens[1] << '\n';
  return line.tokens[1] == "Yes";
}

// ---- Forms and controls --------------------------------------------------

void ScriptBackend::setVisible(const std::string& name, bool visible) {
  Window& w = window(name);
  if (w.form && visible && !w.visible) out_ << "form " << name << ' ' << shown(w.text) << '\n';
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
    add(shown(w.text));
    add(visible);
    return out;
  }
  switch (w.control->kind) {
    case ControlKind::List:
    case ControlKind::Combo:
      for (size_t i = 0; i < w.rows.size(); ++i) {
        const bool marked = w.control->multiSelect ? bool(w.selected[i]) : int(i) == w.current;
        add((marked ? "*" : "") + shown(w.rows[i]));
      }
      break;
    case ControlKind::Edit:
    case ControlKind::Label:
      add(shown(w.text));
      break;
    case ControlKind::Check:
    case ControlKind::Radio:
      add(w.check == 1 ? "checked" : w.check == 2 ? "indeterminate" : "unchecked");
      add(enabled);
      break;
    case ControlKind::Button:
    case ControlKind::Group:
      add(shown(w.text));
      add(visible);
      add(enabled);
      break;
  }
  return out;
}

// ---- User actions ---------------------------------------------------------

void ScriptBackend::processEvents(bool block) {
  if (!block) return;
  script_.passOverAnswersIfAsked();
  if (script_.atEnd()) throw ScriptMisfit{"the script ended while the program waits for " + waitingOn()};
  const ScriptLine line = script_.take();
  const std::string& command = line.command();
  if (command == "show") {
    if (line.tokens.size() != 2) misfit(line, "show takes one control name", waitingOn());
    out_ << describe(line.tokens[1]) << '\n';
  } else if (command == "close") {
    if (line.tokens.size() != 1) misfit(line, "close takes nothing more", waitingOn());
    window("MAINFORM").visible = false;
    sink_->mainWindowClosed();
  } else if (command == "stop") {
    if (line.tokens.size() != 3) misfit(line, "stop takes a caption and a text", waitingOn());
    sink_->stopNotification(scriptText(line, line.tokens[1], waitingOn()), scriptText(line, line.tokens[2], waitingOn()));
  } else if (isActionCommand(command)) {
    userAction(line);
  } else if (isAnswerCommand(command)) {
    misfit(line, "no dialog is open", waitingOn());
  } else if (command == "cwd" || command == "drive") {
    misfit(line, "setup lines come before the first answer", waitingOn());
  } else {
    misfit(line, "unknown command " + echoedScriptText(command), waitingOn());
  }
}

// ---- Drawing, progress, the end ------------------------------------------

void ScriptBackend::clearWindow() {
  if (draw_) out_ << "clear\n";
}

void ScriptBackend::drawText(int x, int y, const SjisString& text, int magX, int magY, int colour) {
  if (draw_)
    out_ << "text " << x << ' ' << y << ' ' << colour << ' ' << magX << ' ' << magY << ' ' << shown(text) << '\n';
}

void ScriptBackend::drawBox(int x1, int y1, int x2, int y2, int colour) {
  if (draw_) out_ << "box " << x1 << ' ' << y1 << ' ' << x2 << ' ' << y2 << ' ' << colour << '\n';
}

void ScriptBackend::showProgress(const SjisString&, int64_t, int64_t) {}

void ScriptBackend::showErrorReport(const std::vector<SjisString>& lines) {
  std::vector<std::string> utf8;
  for (const SjisString& line : lines) utf8.push_back(shown(line));
  writeErrorReport(out_, utf8);
}

void writeErrorReport(std::ostream& out, const std::vector<std::string>& utf8Lines) {
  out << "error";
  for (size_t i = 0; i < utf8Lines.size(); ++i) out << (i == 0 ? " " : " / ") << utf8Lines[i];
  out << '\n';
}

void ScriptBackend::end() {
  out_ << "end\n";
  ended_ = true;
}

}  // namespace headly
