#include "ui/session_recorder.h"

#include <filesystem>

#include "system/drives.h"
#include "text/encoding.h"
#include "ui/catalogue.h"
#include "ui/file_dialog_start.h"

namespace headly {
namespace {

namespace fs = std::filesystem;

// A token as the script reader takes it back: quoted when it holds blanks or
// quotes or is empty, a leading "$" doubled so that it is not an argument.
std::string token(std::string text) {
  if (text.starts_with('$')) text.insert(0, 1, '$');
  if (!text.empty() && text.find_first_of(" \t\"") == std::string::npos) return text;
  std::string quoted = "\"";
  for (char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + '"';
}

std::string utf8Token(const SjisString& text) { return token(toUtf8(text)); }

bool isMultipleSelection(const std::string& name) {
  const ControlSpec* control = findControl(name);
  return control && control->kind == ControlKind::List && control->multiSelect;
}

}  // namespace

SessionRecorder::SessionRecorder(Backend& windows, Drives& drives, std::ostream& script, const std::string& scriptName)
    : windows_(windows), drives_(drives), script_(script), scriptName_(scriptName) {}

void SessionRecorder::createWindows(EventSink& sink) {
  sink_ = &sink;
  write("# ＨＥＡＤＬＹの操作の記録です。データファイルを指定して再生します:");
  write("# A session recorded by headly --record. Replay it on a data file with:");
  write("#   headly-batch " + token(scriptName_) + " DATAFILE");
  write("# (DATAFILE は $1 です / DATAFILE is $1; the guide: docs/scripting.md)");
  windows_.createWindows(*this);
}

void SessionRecorder::write(const std::string& line) {
  if (typing_) writeTyping();
  if (!heldLimit_.empty()) writeHeldLimit();
  if (failed_) return;
  script_ << line << '\n' << std::flush;
  lastLine_ = line;
  if (!script_) reportFailedWrite();
}

// A line that did not reach the file (a full disk) is told at once; the
// session goes on, no longer recorded.
void SessionRecorder::reportFailedWrite() {
  failed_ = true;
  windows_.messageBox(sjis("操作の記録"),
                      sjis("記録ファイル ") + toShiftJisReplacing(scriptName_, UnicodeForm::Utf8).text +
                          sjis(" に書き込めません。ディスクの空きを確かめてください。ここから先の操作は記録しません"),
                      Buttons::Ok, Icon::Exclamation);
}

void SessionRecorder::writeHeldLimit() {
  std::vector<std::string> lines;
  lines.swap(heldLimit_);
  for (const std::string& line : lines) write(line);
}

void SessionRecorder::writeTyping() {
  const std::string line = "type " + typingField_ + (typing_->empty() ? "" : " " + token(*typing_));
  typing_.reset();
  write(line);
}

// ---- Dialogs -----------------------------------------------------------------

int SessionRecorder::messageBox(const SjisString& caption, const SjisString& text, Buttons buttons, Icon icon) {
  const int code = windows_.messageBox(caption, text, buttons, icon);
  const std::string line = std::string("answer ") + answerWord(code);
  if (heldLimit_.empty())
    write(line);
  else
    heldLimit_.push_back(line);
  return code;
}

int SessionRecorder::diskQuestion(const SjisString& caption, const SjisString& text, Buttons buttons, Icon icon) {
  const int code = windows_.diskQuestion(caption, text, buttons, icon);
  writeAnswerIfAsked(code);
  return code;
}

void SessionRecorder::diskQuestionNotAsked(const SjisString& caption, const SjisString& text, int answer) {
  windows_.diskQuestionNotAsked(caption, text, answer);
  writeAnswerIfAsked(answer);
}

// One line answers the question as often as it is asked in a row.
void SessionRecorder::writeAnswerIfAsked(int answer) {
  const std::string line = std::string("answer ") + answerWord(answer) + " if asked";
  if (line != lastLine_ || typing_ || !heldLimit_.empty()) write(line);
}

// The record limit asked again (after the limit error) drops the answers
// held; a limit that lets every record in needs no second one.
SjisString SessionRecorder::inputBox(const SjisString& title, const SjisString& prompt, const SjisString& initial) {
  heldLimit_.clear();
  const SjisString result = windows_.inputBox(title, prompt, initial);
  if (isEscMarker(result)) {
    write("cancel");
  } else {
    heldLimit_ = {"# 入力したレコード数の最大域 / record limit typed: " + (result.empty() ? "" : utf8Token(result)),
                  "input all records"};
  }
  return result;
}

SjisString SessionRecorder::fileDialog(const FileDialogRequest& request) {
  const SjisString chosen = windows_.fileDialog(request);
  if (isEscMarker(chosen)) {
    write("cancel");
  } else if (!request.save) {
    // The one file the program opens is the data file: the script's argument.
    write("# データファイル / data file: " + drives_.toNative(chosen));
    write("file \"$1\"");
  } else {
    // A filter entry other than the first is named by its text before "(".
    const int filter = windows_.chosenFilter();
    std::string filterWord;
    if (filter > 0) {
      const SjisString& entry = request.filters[size_t(filter)].text;
      filterWord = " " + utf8Token(entry.substr(0, entry.find('(')));
    }
    write("file " + savedPath(request, chosen) + filterWord + (request.overwritePrompt ? " replace" : ""));
  }
  return chosen;
}

// The saved file by its name where it lies in the dialog's folder (which
// follows the data file), otherwise by its full native path.
std::string SessionRecorder::savedPath(const FileDialogRequest& request, const SjisString& chosen) {
  const fs::path native = fs::path(drives_.toNative(chosen)).lexically_normal();
  const fs::path inFolder = (fs::path(dialogStartFolder(request, drives_)) / "x").lexically_normal();
  return token(native.parent_path() == inFolder.parent_path() ? native.filename().string() : native.string());
}

// ---- Lists the program fills ------------------------------------------------------

void SessionRecorder::setListIndex(const std::string& name, int index) {
  windows_.setListIndex(name, index);
  changedLists_.push_back(name);
}

void SessionRecorder::listAdd(const std::string& name, const SjisString& text) {
  windows_.listAdd(name, text);
  changedLists_.push_back(name);
}

void SessionRecorder::listClear(const std::string& name) {
  windows_.listClear(name);
  changedLists_.push_back(name);
}

void SessionRecorder::processEvents(bool block) {
  for (const std::string& name : changedLists_) {
    if (!isMultipleSelection(name)) continue;
    std::vector<bool>& rows = selection_[name];
    rows.assign(size_t(windows_.listCount(name)), false);
    for (size_t row = 0; row < rows.size(); ++row) rows[row] = windows_.listSelected(name, int(row));
  }
  changedLists_.clear();
  if (block && !heldLimit_.empty()) writeHeldLimit();
  windows_.processEvents(block);
}

// ---- What the user did ------------------------------------------------------------

void SessionRecorder::controlEvent(ControlEvent event) {
  const ControlSpec* control = findControl(event.control);
  const std::string& name = event.control;
  if (control) {
    switch (control->kind) {
      case ControlKind::Button:
        write("press " + name);
        break;
      case ControlKind::Check:
        write("check " + name);
        break;
      case ControlKind::Radio:
        write("radio " + name);
        break;
      case ControlKind::Edit:
        if (typing_ && typingField_ != name) writeTyping();
        typingField_ = name;
        typing_ = toUtf8(windows_.getText(name));
        break;
      case ControlKind::Combo:
        write("choose " + name + " " + utf8Token(windows_.getText(name)));
        break;
      case ControlKind::List:
        // A double click is two clicks to the script; the second changes nothing.
        if (event.event == "CLICK") {
          const std::string line = listClick(name);
          if (!line.empty()) write(line);
        }
        break;
      case ControlKind::Group:
      case ControlKind::Label:
        break;
    }
  }
  sink_->controlEvent(std::move(event));
}

// The click on a list as a script line: the rows whose selection it
// toggled, or the entry a single-selection list now shows ("" when a click
// on a multiple-selection list changed nothing).
std::string SessionRecorder::listClick(const std::string& list) {
  if (!isMultipleSelection(list)) {
    const int current = windows_.listIndex(list);
    return "click " + list + (current < 0 ? "" : " " + utf8Token(windows_.listItem(list, current)));
  }
  std::vector<bool>& rows = selection_[list];
  rows.resize(size_t(windows_.listCount(list)), false);
  std::string line;
  for (size_t row = 0; row < rows.size(); ++row) {
    const bool selected = windows_.listSelected(list, int(row));
    if (selected != rows[row]) line += " " + rowToken(list, int(row));
    rows[row] = selected;
  }
  return line.empty() ? line : "select " + list + line;
}

// A row by its name where no other row has it, otherwise by its number.
std::string SessionRecorder::rowToken(const std::string& list, int row) {
  const SjisString name = windows_.listItem(list, row);
  int same = 0;
  for (int other = 0; other < windows_.listCount(list); ++other) same += windows_.listItem(list, other) == name;
  return same == 1 ? token("=" + toUtf8(name)) : std::to_string(row);
}

void SessionRecorder::mainWindowClosed() {
  write("close");
  sink_->mainWindowClosed();
}

void SessionRecorder::stopNotification(SjisString caption, SjisString text) {
  write("stop " + utf8Token(caption) + " " + utf8Token(text));
  sink_->stopNotification(std::move(caption), std::move(text));
}

void SessionRecorder::showErrorReport(const std::vector<SjisString>& lines) {
  if (typing_) writeTyping();
  if (!heldLimit_.empty()) writeHeldLimit();
  windows_.showErrorReport(lines);
}

void SessionRecorder::end() {
  if (typing_) writeTyping();
  if (!heldLimit_.empty()) writeHeldLimit();
  windows_.end();
}

}  // namespace headly
