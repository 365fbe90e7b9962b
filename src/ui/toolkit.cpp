#include "ui/toolkit.h"

#include <algorithm>

#include "text/error_report.h"
#include "text/runtime_error.h"
#include "ui/typing.h"

namespace headly {
namespace {

constexpr int32_t kMaxDialogText = 64;
constexpr int32_t kMaxDialogPath = 260;
constexpr int32_t kMaxFontName = 31;

// The folder and the file name of a dialog's initial path: the name is what
// follows the last backslash or colon; the folder keeps its trailing
// backslash only at a drive root ("C:\").
void splitInitialPath(const SjisString& path, SjisString& folder, SjisString& name) {
  size_t last = SjisString::npos;
  for (size_t i = 0; i < path.size(); i += sjisCharLength(path, i))
    if (path[i] == '\\' || path[i] == ':') last = i;
  if (last == SjisString::npos) {
    folder.clear();
    name = path;
    return;
  }
  folder = path.substr(0, last + 1);
  name = path.substr(last + 1);
  if (folder.size() > 1 && folder.back() == '\\' && folder[folder.size() - 2] != ':') folder.pop_back();
}

void checkColour(int colour) {
  if (colour < 0 || colour > 15) raise(err::kBadArgument);
}

}  // namespace

Ui::Ui(Backend& backend) : backend_(backend) {}

void Ui::createWindows() { backend_.createWindows(*this); }

int Ui::messageBox(const SjisString& caption, const SjisString& text, Buttons buttons, Icon icon) {
  if (int(buttons) < 0 || int(buttons) > 5 || int(icon) < 0 || int(icon) > 4) raise(err::kBadArgument);
  checkOpen();
  return backend_.messageBox(caption, text, buttons, icon);
}

int Ui::diskQuestion(const SjisString& caption, const SjisString& text, Buttons buttons, Icon icon) {
  if (int(buttons) < 0 || int(buttons) > 5 || int(icon) < 0 || int(icon) > 4) raise(err::kBadArgument);
  checkOpen();
  return backend_.diskQuestion(caption, text, buttons, icon);
}

void Ui::diskQuestionNotAsked(const SjisString& caption, const SjisString& text, int answer) {
  backend_.diskQuestionNotAsked(caption, text, answer);
}

SjisString Ui::inputBox(const SjisString& title, const SjisString& prompt, const SjisString& initial) {
  if (byteLength(title) > kMaxDialogText || byteLength(prompt) > kMaxDialogText ||
      byteLength(initial) > kMaxDialogText)
    raise(err::kBadArgument);
  checkOpen();
  return backend_.inputBox(title, prompt, initial);
}

SjisString Ui::openFileDialog(const SjisString& title, const SjisString& initialPath, const SjisString& filter) {
  return fileDialog(title, initialPath, filter, false);
}

SjisString Ui::saveFileDialog(const SjisString& title, const SjisString& initialPath, const SjisString& filter,
                              const SjisString& offered) {
  return fileDialog(title, initialPath, filter, true, offered);
}

int Ui::chosenFilter() const { return backend_.chosenFilter(); }

SjisString Ui::fileDialog(const SjisString& title, const SjisString& initialPath, const SjisString& filter,
                          bool save, const SjisString& offered) {
  if (byteLength(title) > kMaxDialogText || byteLength(initialPath) > kMaxDialogPath) raise(err::kBadArgument);
  FileDialogRequest request;
  request.title = title;
  request.initialPath = initialPath;
  splitInitialPath(initialPath, request.initialFolder, request.initialName);
  request.filter = filter;
  request.filters = parseFileFilter(filter);
  if (!offered.empty()) {
    const std::vector<FileFilter> more = parseFileFilter(offered);
    request.filters.insert(request.filters.end(), more.begin(), more.end());
  }
  request.save = save;
  request.overwritePrompt = save;
  request.fileMustExist = !save;
  checkOpen();
  return backend_.fileDialog(request);
}

void Ui::requireKind(const std::string& name, std::initializer_list<ControlKind> kinds, bool formAllowed) {
  if (ended_) raise(err::kNoSuchObject);
  if (findForm(name)) {
    if (!formAllowed) raise(err::kWrongKind);
    return;
  }
  const ControlSpec* control = findControl(name);
  if (!control) raise(err::kNoSuchControl);
  if (kinds.size() > 0 && std::find(kinds.begin(), kinds.end(), control->kind) == kinds.end())
    raise(err::kWrongKind);
}

void Ui::setVisible(const std::string& name, bool visible) {
  requireKind(name, {}, true);
  backend_.setVisible(name, visible);
  if (visible || !findForm(name)) return;
  // Clicks on a form that is put away must not act on what it shows next.
  std::erase_if(queue_, [&](const QueuedEvent& queued) {
    const FormSpec* form = nullptr;
    findControl(queued.event.control, &form);
    return queued.event.control == name || (form && name == form->name);
  });
}

bool Ui::isVisible(const std::string& name) {
  requireKind(name, {}, true);
  return backend_.isVisible(name);
}

void Ui::setEnabled(const std::string& name, bool enabled) {
  requireKind(name, {}, true);
  backend_.setEnabled(name, enabled);
}

bool Ui::isEnabled(const std::string& name) {
  requireKind(name, {}, true);
  return backend_.isEnabled(name);
}

void Ui::setTopMost(const std::string& form, bool topMost) {
  requireKind(form, {}, true);
  if (!findForm(form)) raise(err::kWrongKind);
  // Releasing a form that is not on top does nothing, and it stays hidden.
  if (!topMost && !topMost_.erase(form)) return;
  if (topMost) topMost_.insert(form);
  backend_.setTopMost(form, topMost);
  setVisible(form, true);
}

SjisString Ui::getText(const std::string& name) {
  requireKind(name, {}, true);
  return backend_.getText(name);
}

void Ui::setText(const std::string& name, const SjisString& text) {
  using enum ControlKind;
  requireKind(name, {Button, Edit, Label, Check, Radio, Combo}, true);
  backend_.setText(name, text);
}

int Ui::getCheck(const std::string& name) {
  requireKind(name, {ControlKind::Check, ControlKind::Radio}, false);
  return backend_.getCheck(name);
}

void Ui::setCheck(const std::string& name, int state) {
  requireKind(name, {ControlKind::Check, ControlKind::Radio}, false);
  if (state < 0 || state > 2) raise(err::kBadArgument);
  backend_.setCheck(name, state);
}

int Ui::listCount(const std::string& name) {
  requireKind(name, {ControlKind::List, ControlKind::Combo}, false);
  return backend_.listCount(name);
}

bool Ui::listSelected(const std::string& name, int index) {
  requireKind(name, {ControlKind::List}, false);
  if (index < 0 || index >= backend_.listCount(name)) return false;
  return backend_.listSelected(name, index);
}

int Ui::listIndex(const std::string& name) {
  requireKind(name, {ControlKind::List, ControlKind::Combo}, false);
  return backend_.listIndex(name);
}

void Ui::setListIndex(const std::string& name, int index) {
  requireKind(name, {ControlKind::List, ControlKind::Combo}, false);
  if (index < -1 || index >= backend_.listCount(name)) index = -1;
  backend_.setListIndex(name, index);
}

SjisString Ui::listItem(const std::string& name, int index) {
  requireKind(name, {ControlKind::List, ControlKind::Combo}, false);
  if (index < 0 || index >= backend_.listCount(name)) return {};
  return backend_.listItem(name, index);
}

void Ui::listAdd(const std::string& name, const SjisString& text) {
  requireKind(name, {ControlKind::List, ControlKind::Combo}, false);
  backend_.listAdd(name, text);
}

void Ui::listClear(const std::string& name) {
  requireKind(name, {ControlKind::List, ControlKind::Combo}, false);
  backend_.listClear(name);
}

void Ui::setImeMode(const std::string& name, int mode) {
  requireKind(name, {ControlKind::Edit, ControlKind::Combo}, true);
  if (mode < 0 || mode > 7) raise(err::kBadArgument);
  backend_.setImeMode(name, mode);
}

void Ui::setFontSize(const std::string& name, float points) {
  requireKind(name, {}, true);
  backend_.setFontSize(name, points);
}

void Ui::setFontName(const std::string& name, const SjisString& face) {
  requireKind(name, {}, true);
  if (byteLength(face) > kMaxFontName) raise(err::kBadArgument);
  backend_.setFontName(name, face);
}

void Ui::clearWindow() { backend_.clearWindow(); }

void Ui::drawText(int x, int y, const SjisString& text, int magX, int magY, int colour) {
  checkColour(colour);
  backend_.drawText(x, y, text, magX, magY, colour);
}

void Ui::drawBox(int x1, int y1, int x2, int y2, int colour) {
  checkColour(colour);
  backend_.drawBox(x1, y1, x2, y2, colour);
}

void Ui::setHandler(const std::string& name, std::function<void()> handler) { handlers_[name] = std::move(handler); }

void Ui::pollMessages() {
  if (!ended_) backend_.processEvents(false);
}

void Ui::pumpUntilEvent() {
  for (;;) {
    checkOpen();
    if (runOneQueuedEvent()) return;
    backend_.processEvents(true);
  }
}

int16_t Ui::waitForEvent() {
  eventCode = 0;
  while (eventCode == 0) pumpUntilEvent();
  return eventCode;
}

bool Ui::runOneQueuedEvent() {
  for (auto it = queue_.begin(); it != queue_.end();) {
    const std::string name = it->event.handlerName();
    const auto handler = handlers_.find(name);
    if (handler == handlers_.end()) {
      it = queue_.erase(it);  // an event without a handler does nothing
      continue;
    }
    if (running_.count(name)) {
      ++it;  // delivered after the running handler returns
      continue;
    }
    stopCaption_ = std::move(it->caption);
    stopText_ = std::move(it->text);
    queue_.erase(it);
    const std::function<void()> run = handler->second;
    running_.insert(name);
    struct Finished {
      std::set<std::string>& running;
      const std::string& name;
      ~Finished() { running.erase(name); }
    } finished{running_, name};
    run();
    return true;
  }
  return false;
}

void Ui::showProgress(const SjisString& text, int64_t done, int64_t total) {
  backend_.showProgress(text, done, total);
}

void Ui::showErrorReport(int code, const SjisString& detail) {
  backend_.showErrorReport(errorReportLines(code, detail));
}

void Ui::end() {
  if (ended_) return;
  ended_ = true;
  backend_.end();
}

void Ui::controlEvent(ControlEvent event) { queue_.push_back({std::move(event), {}, {}}); }

void Ui::mainWindowClosed() { mainClosed_ = true; }

void Ui::stopNotification(SjisString caption, SjisString text) {
  queue_.push_back({{"STOP", "SUB"}, std::move(caption), std::move(text)});
}

void Ui::checkOpen() {
  if (mainClosed_) throw MainWindowClosed{};
}

}  // namespace headly
