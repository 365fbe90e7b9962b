#include "ui/qt/qt_backend.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QUrl>
#include <utility>

#include "system/drives.h"
#include "text/encoding.h"
#include "ui/qt/drawing_surface.h"
#include "ui/qt/event_watcher.h"
#include "ui/qt/file_dialog.h"
#include "ui/qt/form_style.h"
#include "ui/qt/form_window.h"
#include "ui/qt/input_dialog.h"
#include "ui/qt/japanese_font.h"
#include "ui/qt/message_dialog.h"
#include "ui/qt/progress_panel.h"
#include "ui/file_dialog_start.h"
#include "ui/qt/qt_text.h"

namespace headly {
namespace {

// Queued window messages are looked at this often during long work; more
// often costs time and shows nothing new.
constexpr int kPollIntervalMs = 15;
constexpr int kProgressIntervalMs = 100;
constexpr int kPreviewWhite = 15;

}  // namespace

QtBackend::QtBackend(Drives& drives) : drives_(drives), formStyle_(std::make_unique<FormStyle>()) {
  QApplication::setQuitOnLastWindowClosed(false);
  QApplication::setFont(dialogFont());
}

QtBackend::~QtBackend() {
  for (auto& [name, w] : windows_)
    if (w.form && w.widget != main_) delete w.widget;
  delete main_;
}


// ---- Dialogs ----------------------------------------------------------------

// Dialogs belong to the form that stays on top, when one is shown, so that
// they appear above it; otherwise to the main window.
QWidget* QtBackend::dialogOwner() const {
  for (const FormSpec& form : formCatalogue()) {
    const auto found = windows_.find(form.name);
    if (found == windows_.end()) continue;
    const QWidget* w = found->second.widget;
    if (w != main_ && w->isVisible() && found->second.topMost) return found->second.widget;
  }
  return main_ && main_->isVisible() ? main_ : nullptr;
}

int QtBackend::messageBox(const SjisString& caption, const SjisString& text, Buttons buttons, Icon icon) {
  MessageDialog box(dialogOwner(), toQt(caption), toQt(text), buttons, icon);
  modals_.run(box);
  rethrowPending();
  return box.answer();
}

SjisString QtBackend::inputBox(const SjisString& title, const SjisString& prompt, const SjisString& initial) {
  InputDialog box(dialogOwner(), toQt(title), toQt(prompt), toQt(initial));
  const bool accepted = modals_.run(box) == QDialog::Accepted;
  rethrowPending();
  if (!accepted) return kEscMarker;
  return box.text() == toQt(initial) ? initial : fromQt(box.text());
}

// A current folder that the program cannot name was left for another: the
// first file dialog says which, so that nobody takes one for the other.
void QtBackend::tellWhereDialogsStart(const std::string& startFolder) {
  const std::string& unnamed = drives_.unnamedStartFolder();
  if (unnamed.empty() || std::exchange(startFolderTold_, true)) return;
  const std::string name = Drives::nameWithoutShiftJis(unnamed);
  const QString why = name.empty() ? QStringLiteral("パスが260バイトを超える")
                                   : QStringLiteral("フォルダ名「%1」にShift-JISで表せない文字がある").arg(QString::fromStdString(name));
  const QString text = QStringLiteral("現在のフォルダ %1 は、%2ため使えません。\n%3 から始めます。")
                           .arg(QString::fromStdString(unnamed), why, QString::fromStdString(startFolder));
  MessageDialog box(dialogOwner(), QStringLiteral("フォルダの確認"), text, Buttons::Ok, Icon::Exclamation);
  modals_.run(box);
  rethrowPending();
}

SjisString QtBackend::fileDialog(const FileDialogRequest& request) {
  const std::string folder = dialogStartFolder(request, drives_);
  tellWhereDialogsStart(folder);
  FileDialog dialog(dialogOwner(), request, QString::fromStdString(folder), drives_, modals_);
  if (!request.save) {
    QList<QUrl> side = dialog.sidebarUrls();
    for (const QUrl& recent : recentFolders_.existing())
      if (!side.contains(recent)) side << recent;
    dialog.setSidebarUrls(side);
    if (!proposedFile_.isEmpty()) dialog.propose(std::exchange(proposedFile_, QString()));
  }
  const bool accepted = modals_.run(dialog) == QDialog::Accepted;
  rethrowPending();
  if (accepted && !request.save) recentFolders_.remember(QString::fromStdString(drives_.toNative(dialog.chosen())));
  chosenFilter_ = accepted ? dialog.chosenFilter() : 0;
  return accepted ? dialog.chosen() : SjisString(kEscMarker);
}

// ---- Drawing ----------------------------------------------------------------

void QtBackend::clearWindow() {
  if (surface_) surface_->clear();
}

void QtBackend::drawText(int x, int y, const SjisString& text, int magX, int magY, int colour) {
  if (surface_) surface_->drawText(x, y, toQt(text), magX, magY, paletteColour(colour));
}

void QtBackend::drawBox(int x1, int y1, int x2, int y2, int colour) {
  if (surface_) surface_->drawBox(x1, y1, x2, y2, paletteColour(colour));
}

QImage QtBackend::drawing() const { return surface_ ? surface_->image() : QImage(); }

// ---- Events, progress, the end ---------------------------------------------------

void QtBackend::proposeOpenFile(const std::string& file) {
  const QString text = QFile::decodeName(QByteArray::fromStdString(file));
  proposedFile_ = text.startsWith(QStringLiteral("file:")) ? QUrl(text).toLocalFile() : QFileInfo(text).absoluteFilePath();
}

void QtBackend::keepRecentFolders(const std::string& settingsFile) {
  recentFolders_ = RecentFolders(QString::fromStdString(settingsFile));
}

void QtBackend::raiseEvent(const std::string& control, const char* event) {
  ++eventsRaised_;
  deliver([&] { sink_->controlEvent({control, event}); });
}

void QtBackend::deliver(const std::function<void()>& call) noexcept {
  try {
    call();
  } catch (...) {
    if (!pending_) pending_ = std::current_exception();
  }
}

void QtBackend::rethrowPending() {
  if (!pending_) return;
  std::exception_ptr error = pending_;
  pending_ = nullptr;
  std::rethrow_exception(error);
}

void QtBackend::processEvents(bool block) {
  if (block) {
    const int raisedBefore = eventsRaised_;
    if (waitAction_) waitAction_();
    // Sleeps in Qt's event loop until something arrives, unless the action
    // has already raised what the wait is for.
    QCoreApplication::processEvents(eventsRaised_ != raisedBefore
                                        ? QEventLoop::AllEvents
                                        : QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    sincePoll_.start();
  } else if (!sincePoll_.isValid() || sincePoll_.elapsed() >= kPollIntervalMs) {
    working_ = true;
    QCoreApplication::processEvents();
    working_ = false;
    sincePoll_.start();
  }
  rethrowPending();
}

// Progress goes into the main window's body and, after the program's
// caption, into its title; the caption itself, as the program reads it, does
// not change.
void QtBackend::showProgress(const SjisString& text, int64_t done, int64_t total) {
  if (text == progress_) return;
  if (!text.empty() && sinceProgress_.isValid() && sinceProgress_.elapsed() < kProgressIntervalMs) return;
  progress_ = text;
  sinceProgress_.start();
  showMainTitle();
  if (!progressPanel_) return;
  if (text.empty())
    progressPanel_->clear();
  else
    progressPanel_->report(toQt(text), done, total);
}

void QtBackend::showMainTitle() {
  if (!main_) return;
  const Window& w = windows_.at("MAINFORM");
  main_->setWindowTitle(progress_.empty() ? toQt(w.text) : toQt(w.text) + QStringLiteral("　") + toQt(progress_));
}

// Closed while the program is at work (reading or writing a file), the main
// window stays and says so until the work is done; the program then ends at
// its next question, as after any close.
bool QtBackend::closeMainWindow() {
  deliver([this] { sink_->mainWindowClosed(); });
  if (!working_) return true;
  progressPanel_->setNote(QStringLiteral("終了します。処理が終わるまでお待ちください。"));
  return false;
}

void QtBackend::restoreMinimisedForms() {
  for (auto& [name, w] : windows_)
    if (w.form && w.widget != main_ && w.widget->isVisible() && w.widget->isMinimized()) {
      w.widget->showNormal();
      w.widget->raise();
      w.widget->activateWindow();
    }
}

// The report stands on the main window, in front of everything else, until
// the user presses a key or closes the window.
void QtBackend::showErrorReport(const std::vector<SjisString>& lines) {
  if (!main_ || !surface_) return;
  for (auto& [name, w] : windows_)
    if (w.form && w.widget != main_) w.widget->hide();
  progress_.clear();
  showMainTitle();
  progressPanel_->clear();
  surface_->clear();
  int y = 0;
  for (const SjisString& line : lines) {
    surface_->drawText(0, y, toQt(line), 1, 1, paletteColour(kPreviewWhite));
    y += surface_->lineHeight();
  }
  if (!main_->isVisible()) return;
  main_->raise();
  main_->activateWindow();
  surface_->setFocus();
  bool pressed = false;
  const EventWatcher keys(qApp, [&pressed](QObject*, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    pressed = true;
    return true;
  });
  while (!pressed && main_->isVisible()) processEvents(true);
}

void QtBackend::end() {
  for (auto& [name, w] : windows_)
    if (w.form && w.widget != main_) delete w.widget;
  delete main_;
  main_ = nullptr;
  surface_ = nullptr;
  progressPanel_ = nullptr;
  windows_.clear();
}

}  // namespace headly

