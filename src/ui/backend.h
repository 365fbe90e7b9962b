// A window system as the user interface layer needs it. Two are built: real
// Qt windows and the headless script driver. All texts are Shift-JIS here;
// a backend converts them where they meet the screen or the transcript.
// Forms and controls are named as in the catalogue ("FORM3", "LIST1").
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "text/sjis_string.h"
#include "ui/dialog_codes.h"
#include "ui/file_filter.h"

namespace headly {

// What a person did to a control: "BUTTON1" and "ON", "COMBO1" and "CHANGE",
// "LIST4" and "CLICK". The handler of an event is named CONTROL_EVENT.
struct ControlEvent {
  std::string control;
  std::string event;
  std::string handlerName() const { return control + "_" + event; }
};

// Where a backend delivers what the user did.
class EventSink {
 public:
  virtual ~EventSink() = default;
  virtual void controlEvent(ControlEvent event) = 0;
  virtual void mainWindowClosed() = 0;
  // The stop notification: a caption and a text to show.
  virtual void stopNotification(SjisString caption, SjisString text) = 0;
};

struct FileDialogRequest {
  SjisString title;
  SjisString initialPath;    // as the program passed it
  SjisString initialFolder;  // internal path; relative or empty means against the current folder
  SjisString initialName;    // may be a pattern such as *.TXT
  SjisString filter;         // the program's filter text
  // Parsed from filter, then any entries offered after it; the first is
  // preselected.
  std::vector<FileFilter> filters;
  bool save = false;
  bool overwritePrompt = false;
  bool fileMustExist = false;
};

class Backend {
 public:
  virtual ~Backend() = default;

  // Creates MAINFORM shown and the other forms hidden from the catalogue.
  virtual void createWindows(EventSink& sink) = 0;

  virtual int messageBox(const SjisString& caption, const SjisString& text, Buttons buttons, Icon icon) = 0;
  // A question asked only because of what is on disk (a folder of the name
  // exists): a script may answer it "if asked".
  virtual int diskQuestion(const SjisString& caption, const SjisString& text, Buttons buttons, Icon icon) {
    return messageBox(caption, text, buttons, icon);
  }
  // The same question not asked this time, and the answer it would get; a
  // recording still answers it, so that it replays where the folder exists.
  virtual void diskQuestionNotAsked(const SjisString& /*caption*/, const SjisString& /*text*/, int /*answer*/) {}
  // The entered text, or the ESC marker.
  virtual SjisString inputBox(const SjisString& title, const SjisString& prompt, const SjisString& initial) = 0;
  // The chosen path as the program receives it (internal form), or the ESC marker.
  virtual SjisString fileDialog(const FileDialogRequest& request) = 0;
  // The filter entry (0 = the first) selected when the last file dialog was
  // answered.
  virtual int chosenFilter() const { return 0; }

  virtual void setVisible(const std::string& name, bool visible) = 0;
  virtual bool isVisible(const std::string& name) = 0;
  virtual void setEnabled(const std::string& name, bool enabled) = 0;
  virtual bool isEnabled(const std::string& name) = 0;
  virtual void setTopMost(const std::string& form, bool topMost) = 0;
  virtual SjisString getText(const std::string& name) = 0;
  virtual void setText(const std::string& name, const SjisString& text) = 0;
  virtual int getCheck(const std::string& name) = 0;
  virtual void setCheck(const std::string& name, int state) = 0;
  virtual int listCount(const std::string& name) = 0;
  virtual bool listSelected(const std::string& name, int index) = 0;
  virtual int listIndex(const std::string& name) = 0;
  virtual void setListIndex(const std::string& name, int index) = 0;
  virtual SjisString listItem(const std::string& name, int index) = 0;
  virtual void listAdd(const std::string& name, const SjisString& text) = 0;
  virtual void listClear(const std::string& name) = 0;
  virtual void setImeMode(const std::string& name, int mode) = 0;
  virtual void setFontSize(const std::string& name, float points) = 0;
  virtual void setFontName(const std::string& name, const SjisString& face) = 0;

  // Drawing on the main window.
  virtual void clearWindow() = 0;
  virtual void drawText(int x, int y, const SjisString& text, int magX, int magY, int colour) = 0;
  virtual void drawBox(int x1, int y1, int x2, int y2, int colour) = 0;

  // Processes window messages. With block, sleeps until at least something
  // happened (a user action or any other window message); the script driver
  // reads its next action only when block is set.
  virtual void processEvents(bool block) = 0;
  // Progress of long work: a text with the number of records done and of all
  // records (-1 when unknown); an empty text clears it. Never part of a
  // transcript.
  virtual void showProgress(const SjisString& text, int64_t done, int64_t total) = 0;
  // Shows the error report and waits for a key or the window's close.
  virtual void showErrorReport(const std::vector<SjisString>& lines) = 0;
  // The End stage: every form is released.
  virtual void end() = 0;
};

}  // namespace headly
