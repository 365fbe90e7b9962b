// The real windows, on Qt 6 Widgets: MAINFORM with its drawing surface and
// FORM2 to FORM5 with their controls, all built from the catalogue. The forms
// are windows of their own that belong to the main window: they stay above
// it, not above other programs, and a form put away to the task bar comes
// back when the main window is activated. Texts
// stay Shift-JIS until they reach a widget. Controls raise events only for
// what the user does (a click, a choice, typing); what the program sets
// raises none. Nothing thrown while Qt dispatches an event passes through
// Qt: it is kept and thrown again when Qt has returned to the program.
#pragma once

#include <QElapsedTimer>
#include <QImage>
#include <QString>
#include <exception>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ui/backend.h"
#include "ui/catalogue.h"
#include "ui/qt/modal_runner.h"
#include "ui/qt/recent_folders.h"

class QWidget;

namespace headly {

class Drives;
class DrawingSurface;
class FormStyle;
class FormWindow;
class ProgressPanel;

class QtBackend : public Backend {
 public:
  // drives turns the paths of the file dialogs into the program's form. A
  // QApplication must exist.
  explicit QtBackend(Drives& drives);
  ~QtBackend() override;

  void createWindows(EventSink& sink) override;
  int messageBox(const SjisString& caption, const SjisString& text, Buttons buttons, Icon icon) override;
  SjisString inputBox(const SjisString& title, const SjisString& prompt, const SjisString& initial) override;
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

  // For tests and screenshots: the widget of a form or control (nullptr when
  // there is none), the answers for the next modal dialogs, the picture drawn
  // on the main window, and an action run each time the program waits for
  // the user (where a test does what a person would).
  QWidget* widget(const std::string& name) const;
  ModalRunner& modals() { return modals_; }
  QImage drawing() const;
  const ProgressPanel* progressPanel() const { return progressPanel_; }
  void onWait(std::function<void()> action) { waitAction_ = std::move(action); }

  // The file the user named when starting the program (a native path or a
  // file: URL): the next open dialog starts in its folder with its name
  // filled in, and the user confirms it.
  void proposeOpenFile(const std::string& file);
  // The folders of the data files opened are kept in settingsFile and offered
  // in the open dialog's side bar, in this run and the next (without this
  // call nothing is kept).
  void keepRecentFolders(const std::string& settingsFile);

 private:
  struct Window {
    const FormSpec* form = nullptr;        // set for a form
    const ControlSpec* control = nullptr;  // set for a control
    QWidget* widget = nullptr;
    QString face;  // font face as the program named it
    float size = 0;
    bool topMost = false;          // a form the program keeps on top
    SjisString text;               // the text the program set last, byte for byte
    std::vector<SjisString> rows;  // lists and combo boxes
  };

  Window& window(const std::string& name);
  void buildForm(const FormSpec& entry);
  QWidget* buildControl(const ControlSpec& entry, QWidget* form);
  void connectEvents(const ControlSpec& entry, QWidget* widget);
  void nameForScreenReaders(const FormSpec& form);
  void focusFirstField(const FormSpec& form);
  void applyFont(Window& w);
  void showCaption(Window& w);
  void raiseEvent(const std::string& control, const char* event);
  void deliver(const std::function<void()>& call) noexcept;
  void rethrowPending();
  QWidget* dialogOwner() const;
  void showMainTitle();
  bool closeMainWindow();
  void restoreMinimisedForms();
  void tellWhereDialogsStart(const std::string& startFolder);

  Drives& drives_;
  // Outlives the windows: it is the style of their radio buttons and group boxes.
  std::unique_ptr<FormStyle> formStyle_;
  EventSink* sink_ = nullptr;
  std::map<std::string, Window> windows_;
  FormWindow* main_ = nullptr;
  DrawingSurface* surface_ = nullptr;
  ProgressPanel* progressPanel_ = nullptr;
  bool working_ = false;  // the program is at work, not waiting for the user
  ModalRunner modals_;
  std::exception_ptr pending_;
  int eventsRaised_ = 0;
  QString proposedFile_;
  RecentFolders recentFolders_;
  bool startFolderTold_ = false;
  QElapsedTimer sincePoll_;
  QElapsedTimer sinceProgress_;
  SjisString progress_;
  std::function<void()> waitAction_;
  int chosenFilter_ = 0;
};

}  // namespace headly
