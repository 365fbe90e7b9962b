// The user interface as the application sees it: modal dialogs, form and
// control operations, the event queue with its handlers, and drawing on the
// main window. The queue rules live here, once for both backends:
// control events run their handlers only inside a wait, oldest first, and a
// running handler is never entered again; pollMessages keeps the windows
// alive and leaves control events queued; events of a form that is hidden
// are dropped.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <set>
#include <string>

#include "text/error_codes.h"
#include "text/sjis_string.h"
#include "ui/backend.h"
#include "ui/catalogue.h"
#include "ui/dialog_codes.h"

namespace headly {

// Raised by a wait (or a dialog) after the user closed the main window: the
// program goes to its End stage.
struct MainWindowClosed {};

class Ui : private EventSink {
 public:
  explicit Ui(Backend& backend);

  // Creates the windows (MAINFORM shown, FORM2 to FORM5 hidden).
  void createWindows();

  int messageBox(const SjisString& caption, const SjisString& text, Buttons buttons, Icon icon);
  // A question that only what is on disk calls for (Backend::diskQuestion),
  // and the note that it was not called for this time.
  int diskQuestion(const SjisString& caption, const SjisString& text, Buttons buttons, Icon icon);
  void diskQuestionNotAsked(const SjisString& caption, const SjisString& text, int answer);
  SjisString inputBox(const SjisString& title, const SjisString& prompt, const SjisString& initial);
  // initialPath: a folder followed by a file name or pattern; the filter text
  // is the program's ("ﾃｷｽﾄ形式(*.TXT,*.CSV)"). Returns the ESC marker on cancel.
  SjisString openFileDialog(const SjisString& title, const SjisString& initialPath, const SjisString& filter);
  // offered: further filter entries shown after those of filter (the
  // transcript shows filter only); chosenFilter() tells which was selected.
  SjisString saveFileDialog(const SjisString& title, const SjisString& initialPath, const SjisString& filter,
                            const SjisString& offered = {});
  // The filter entry (0 = the first) of the last file dialog's answer.
  int chosenFilter() const;

  void setVisible(const std::string& name, bool visible);
  bool isVisible(const std::string& name);
  void setEnabled(const std::string& name, bool enabled);
  bool isEnabled(const std::string& name);
  void setTopMost(const std::string& form, bool topMost);
  SjisString getText(const std::string& name);
  void setText(const std::string& name, const SjisString& text);
  int getCheck(const std::string& name);
  void setCheck(const std::string& name, int state);
  int listCount(const std::string& name);
  bool listSelected(const std::string& name, int index);
  int listIndex(const std::string& name);
  void setListIndex(const std::string& name, int index);
  SjisString listItem(const std::string& name, int index);
  void listAdd(const std::string& name, const SjisString& text);
  void listClear(const std::string& name);
  void setImeMode(const std::string& name, int mode);
  void setFontSize(const std::string& name, float points);
  void setFontName(const std::string& name, const SjisString& face);

  void clearWindow();
  void drawText(int x, int y, const SjisString& text, int magX, int magY, int colour);
  void drawBox(int x1, int y1, int x2, int y2, int colour);

  // The code of the last button pressed; handlers write it.
  int16_t eventCode = 0;
  // Binds a handler to its name ("BUTTON1_ON"); events without one do nothing.
  void setHandler(const std::string& name, std::function<void()> handler);
  // Processes queued window messages; control events stay queued.
  void pollMessages();
  // Blocks until one queued control event has run its handler.
  void pumpUntilEvent();
  // The wait for event: clears eventCode and pumps until a handler set it.
  int16_t waitForEvent();
  // Progress of long work (every so often; cheap to call); total -1 when
  // unknown, an empty text clears it.
  void showProgress(const SjisString& text, int64_t done, int64_t total);
  bool mainWindowIsClosed() const { return mainClosed_; }
  // The caption and text of the stop notification whose handler (STOP_SUB)
  // is running.
  const SjisString& stopCaption() const { return stopCaption_; }
  const SjisString& stopText() const { return stopText_; }

  void showErrorReport(int code, const SjisString& detail = {});
  // The End stage: MAINFORM_END releases every form.
  void end();

 private:
  void controlEvent(ControlEvent event) override;
  void mainWindowClosed() override;
  void stopNotification(SjisString caption, SjisString text) override;
  struct QueuedEvent {
    ControlEvent event;
    SjisString caption, text;  // of a stop notification
  };
  void checkOpen();
  bool runOneQueuedEvent();
  void requireKind(const std::string& name, std::initializer_list<ControlKind> kinds, bool formAllowed);
  SjisString fileDialog(const SjisString& title, const SjisString& initialPath, const SjisString& filter, bool save,
                        const SjisString& offered = {});

  Backend& backend_;
  std::deque<QueuedEvent> queue_;
  std::map<std::string, std::function<void()>> handlers_;
  std::set<std::string> running_;
  std::set<std::string> topMost_;
  bool mainClosed_ = false;
  bool ended_ = false;
  SjisString stopCaption_, stopText_;
};

}  // namespace headly
