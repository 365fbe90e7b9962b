#include "ui/script/script_backend.h"

#include "text/encoding.h"
#include "ui/catalogue.h"
#include "ui/script/transcript_text.h"

namespace headly {
namespace {

bool isAnswerCommand(const std::string& command) {
  return command == "answer" || command == "input" || command == "file" || command == "cancel";
}

bool isActionCommand(const std::string& command) {
  for (const char* action : {"press", "check", "radio", "type", "select", "choose", "click", "close", "stop"})
    if (command == action) return true;
  return false;
}

}  // namespace

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
    out_ << "text " << x << ' ' << y << ' ' << colour << ' ' << magX << ' ' << magY << ' ' << transcriptText(text) << '\n';
}

void ScriptBackend::drawBox(int x1, int y1, int x2, int y2, int colour) {
  if (draw_) out_ << "box " << x1 << ' ' << y1 << ' ' << x2 << ' ' << y2 << ' ' << colour << '\n';
}

void ScriptBackend::showProgress(const SjisString&, int64_t, int64_t) {}

void ScriptBackend::showErrorReport(const std::vector<SjisString>& lines) {
  std::vector<std::string> utf8;
  for (const SjisString& line : lines) utf8.push_back(transcriptText(line));
  writeErrorReport(out_, utf8);
}

void ScriptBackend::end() {
  out_ << "end\n";
  ended_ = true;
}

}  // namespace headly
