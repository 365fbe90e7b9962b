// Recording a session on the windows: stands between the toolkit and a
// window backend, passes everything through unchanged, and writes, as the
// user goes, a headly-batch script of what the user did: each dialog answer
// and each action on a form. List rows are written by name (=TEXT) where the
// name is unique, the data file as "$1" with the file chosen noted in a
// comment, and a saved file relative to the dialog's folder where it lies
// there, with the choice to replace it, so that the script replays whether
// the file exists or not. In the same way a question that only a folder on
// disk calls for is answered "if asked", and the record limit lets in all
// records of the file (the limit typed is noted in a comment). A line that
// cannot be written is told at once in a message box, and the recording
// stops.
#pragma once

#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "ui/backend.h"

namespace headly {

class Drives;

class SessionRecorder : public Backend, private EventSink {
 public:
  // scriptName is how the header's replay line names the script.
  SessionRecorder(Backend& windows, Drives& drives, std::ostream& script, const std::string& scriptName);

  void createWindows(EventSink& sink) override;
  int messageBox(const SjisString& caption, const SjisString& text, Buttons buttons, Icon icon) override;
  int diskQuestion(const SjisString& caption, const SjisString& text, Buttons buttons, Icon icon) override;
  void diskQuestionNotAsked(const SjisString& caption, const SjisString& text, int answer) override;
  SjisString inputBox(const SjisString& title, const SjisString& prompt, const SjisString& initial) override;
  SjisString fileDialog(const FileDialogRequest& request) override;
  int chosenFilter() const override { return windows_.chosenFilter(); }

  void setVisible(const std::string& name, bool visible) override { windows_.setVisible(name, visible); }
  bool isVisible(const std::string& name) override { return windows_.isVisible(name); }
  void setEnabled(const std::string& name, bool enabled) override { windows_.setEnabled(name, enabled); }
  bool isEnabled(const std::string& name) override { return windows_.isEnabled(name); }
  void setTopMost(const std::string& form, bool topMost) override { windows_.setTopMost(form, topMost); }
  SjisString getText(const std::string& name) override { return windows_.getText(name); }
  void setText(const std::string& name, const SjisString& text) override { windows_.setText(name, text); }
  int getCheck(const std::string& name) override { return windows_.getCheck(name); }
  void setCheck(const std::string& name, int state) override { windows_.setCheck(name, state); }
  int listCount(const std::string& name) override { return windows_.listCount(name); }
  bool listSelected(const std::string& name, int index) override { return windows_.listSelected(name, index); }
  int listIndex(const std::string& name) override { return windows_.listIndex(name); }
  void setListIndex(const std::string& name, int index) override;
  SjisString listItem(const std::string& name, int index) override { return windows_.listItem(name, index); }
  void listAdd(const std::string& name, const SjisString& text) override;
  void listClear(const std::string& name) override;
  void setImeMode(const std::string& name, int mode) override { windows_.setImeMode(name, mode); }
  void setFontSize(const std::string& name, float points) override { windows_.setFontSize(name, points); }
  void setFontName(const std::string& name, const SjisString& face) override { windows_.setFontName(name, face); }

  void clearWindow() override { windows_.clearWindow(); }
  void drawText(int x, int y, const SjisString& text, int magX, int magY, int colour) override {
    windows_.drawText(x, y, text, magX, magY, colour);
  }
  void drawBox(int x1, int y1, int x2, int y2, int colour) override { windows_.drawBox(x1, y1, x2, y2, colour); }

  void processEvents(bool block) override;
  void showProgress(const SjisString& text, int64_t done, int64_t total) override {
    windows_.showProgress(text, done, total);
  }
  void showErrorReport(const std::vector<SjisString>& lines) override;
  void end() override;

 private:
  void controlEvent(ControlEvent event) override;
  void mainWindowClosed() override;
  void stopNotification(SjisString caption, SjisString text) override;

  void write(const std::string& line);
  void writeAnswerIfAsked(int answer);
  void writeHeldLimit();
  void reportFailedWrite();
  void writeTyping();
  std::string listClick(const std::string& list);
  std::string rowToken(const std::string& list, int row);
  std::string savedPath(const FileDialogRequest& request, const SjisString& chosen);

  Backend& windows_;
  Drives& drives_;
  std::ostream& script_;
  std::string scriptName_;
  EventSink* sink_ = nullptr;
  // The selection of each multiple-selection list as the user last left it;
  // lists the program changed are read again before the user acts.
  std::map<std::string, std::vector<bool>> selection_;
  std::vector<std::string> changedLists_;
  // Typing goes into the script as the field's text once the user moves on.
  std::optional<std::string> typing_;
  std::string typingField_;
  // The record limit's answer, with the answers of the messages after it,
  // until the program goes on: a limit asked again replaces them all.
  std::vector<std::string> heldLimit_;
  std::string lastLine_;
  // A write failed: the recording has stopped.
  bool failed_ = false;
};

}  // namespace headly
