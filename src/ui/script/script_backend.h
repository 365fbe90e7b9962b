// The headless window system: a model of every form and control of the
// catalogue, driven by a script. Dialog answers are read when a dialog opens,
// user actions while the program waits (processEvents with block); every
// dialog, every form shown and the end of the run go into the transcript.
// A script that does not fit what the program asks raises ScriptMisfit.
#pragma once

#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "ui/backend.h"
#include "ui/catalogue.h"
#include "ui/list_rows.h"
#include "ui/script/script_reader.h"

namespace headly {

class Drives;

class ScriptBackend : public Backend {
 public:
  // drives converts the native paths of `file` answers; with draw every
  // drawing call is written to the transcript as well.
  ScriptBackend(ScriptReader& script, Drives& drives, std::ostream& transcript, bool draw);

  void createWindows(EventSink& sink) override;
  int messageBox(const SjisString& caption, const SjisString& text, Buttons buttons, Icon icon) override;
  // Answered by "answer BUTTON if asked" as often as it is asked, or by
  // "answer BUTTON" once.
  int diskQuestion(const SjisString& caption, const SjisString& text, Buttons buttons, Icon icon) override;
  // Answered by "input TEXT", "input", "cancel" or "input all records" (a
  // limit that lets every line of the data file in).
  SjisString inputBox(const SjisString& title, const SjisString& prompt, const SjisString& initial) override;
  // Answered by `file PATH [FILTER] [replace|keep]` (FILTER: the start of
  // the filter entry chosen, as "UTF-8") or `cancel`.
  SjisString fileDialog(const FileDialogRequest& request) override;
  int chosenFilter() const override { return chosenFilter_; }

  void setVisible(const std::string& name, bool visible) override;
  bool isVisible(const std::string& name) override;
  void setEnabled(const std::string& name, bool enabled) override;
  bool isEnabled(const std::string& name) override;
  void setTopMost(const std::string& form, bool topMost) override;
  SjisString getText(const std::string& name) override;
  void setText(const std::string& name, const SjisString& text) override;
  int getCheck(const std::string& name) override;
  void setCheck(const std::string& name, int state) override;
  int listCount(const std::string& name) override;
  bool listSelected(const std::string& name, int index) override;
  int listIndex(const std::string& name) override;
  void setListIndex(const std::string& name, int index) override;
  SjisString listItem(const std::string& name, int index) override;
  void listAdd(const std::string& name, const SjisString& text) override;
  void listClear(const std::string& name) override;
  void setImeMode(const std::string& name, int mode) override;
  void setFontSize(const std::string& name, float points) override;
  void setFontName(const std::string& name, const SjisString& face) override;

  void clearWindow() override;
  void drawText(int x, int y, const SjisString& text, int magX, int magY, int colour) override;
  void drawBox(int x1, int y1, int x2, int y2, int colour) override;

  void processEvents(bool block) override;
  void showProgress(const SjisString& text, int64_t done, int64_t total) override;
  void showErrorReport(const std::vector<SjisString>& lines) override;
  void end() override;

  bool ended() const { return ended_; }
  // The state of a control or form as `show` writes it ("show LIST1 | a | *b").
  std::string describe(const std::string& name) const;

 private:
  struct Window : ListRows {
    const FormSpec* form = nullptr;        // set for a form
    const ControlSpec* control = nullptr;  // set for a control
    const FormSpec* owner = nullptr;       // the form a control is on
    SjisString text;
    bool visible = true;
    bool enabled = true;
    int check = 0;
  };

  Window& window(const std::string& name);
  const Window& window(const std::string& name) const;
  ScriptLine nextAnswer(const std::string& asked);
  std::optional<ScriptLine> answerIfAsked();
  std::string messageAsked(const SjisString& caption, const SjisString& text, Buttons buttons, Icon icon) const;
  int answerMessage(const ScriptLine& line, Buttons buttons, const std::string& asked);
  SjisString allRecordsText(const ScriptLine& line, const std::string& asked);
  [[noreturn]] void misfit(const ScriptLine& line, const std::string& reason, const std::string& asked) const;
  std::string waitingOn() const;
  // The Shift-JIS form of a text of the script; a misfit names what the
  // program asks.
  SjisString scriptText(const ScriptLine& line, const std::string& utf8, const std::string& asked) const;
  void userAction(const ScriptLine& line);
  // The one row of the list whose text is rowName; otherwise a misfit that
  // lists the rows.
  int namedRow(const ScriptLine& line, const Window& list, const std::string& listName, const std::string& rowName,
               const std::string& asked) const;
  void raiseEvent(const std::string& control, const char* event);
  SjisString chooseFile(const FileDialogRequest& request, const std::string& asked);
  struct FileAnswerWords {
    std::optional<std::string> choice;  // "replace" or "keep"
    int filter = 0;
  };
  FileAnswerWords fileAnswerWords(const ScriptLine& line, const FileDialogRequest& request, const std::string& asked);
  bool confirmOverwrite(const SjisString& path);
  // The native path of path as it is on disk; typed when that cannot be told.
  std::string formOnDisk(const SjisString& path, const std::string& typed) const;

  ScriptReader& script_;
  Drives& drives_;
  std::ostream& out_;
  bool draw_;
  EventSink* sink_ = nullptr;
  std::map<std::string, Window> windows_;
  bool ended_ = false;
  int chosenFilter_ = 0;
  std::string dataFile_;  // the file of the last open dialog, as on disk
};

}  // namespace headly
