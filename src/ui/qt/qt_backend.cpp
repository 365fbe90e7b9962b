#include "ui/qt/qt_backend.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyledItemDelegate>
#include <cmath>

#include "text/drives.h"
#include "text/encoding.h"
#include "text/runtime_error.h"
#include "ui/list_order.h"
#include "ui/qt/drawing_surface.h"
#include "ui/qt/event_watcher.h"
#include "ui/qt/file_dialog.h"
#include "ui/qt/form_window.h"
#include "ui/qt/input_dialog.h"
#include "ui/qt/japanese_font.h"
#include "ui/qt/message_dialog.h"
#include "ui/qt/qt_text.h"
#include "ui/qt/sjis_line_edit.h"
#include "ui/toolkit.h"

namespace headly {
namespace {

using enum ControlKind;

// Queued window messages are looked at this often during long work; more
// often costs time and shows nothing new.
constexpr int kPollIntervalMs = 15;
constexpr int kProgressIntervalMs = 100;
constexpr int kPreviewWhite = 15;

// A click toggles between checked and clear, also from the indeterminate
// state the program may set, as a Windows check box does.
class TwoStateCheckBox : public QCheckBox {
 public:
  using QCheckBox::QCheckBox;

 protected:
  void nextCheckState() override {
    const bool wasChecked = checkState() == Qt::Checked;
    setTristate(false);
    setCheckState(wasChecked ? Qt::Unchecked : Qt::Checked);
  }
};

// List rows exactly one line of the list's font high, as a Windows list box
// draws them, so that the list shows whole rows only.
class RowDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    return {QStyledItemDelegate::sizeHint(option, index).width(), QFontMetrics(option.font).height()};
  }
};

// Every control is black on white; disabled controls keep their grey text.
void paintBlackOnWhite(QWidget* widget, bool fillBackground) {
  QPalette palette = widget->palette();
  for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
      palette.setColor(group, role, Qt::black);
    palette.setColor(group, QPalette::Base, Qt::white);
    if (fillBackground) palette.setColor(group, QPalette::Window, Qt::white);
  }
  widget->setPalette(palette);
  widget->setAutoFillBackground(fillBackground);
}

QString captionOf(const QWidget* widget, ControlKind kind) {
  switch (kind) {
    case Button:
    case Radio:
    case Check:
      return static_cast<const QAbstractButton*>(widget)->text();
    case Label:
      return static_cast<const QLabel*>(widget)->text();
    case Group:
      return static_cast<const QGroupBox*>(widget)->title();
    default:
      return {};
  }
}

// Room a caption leaves beside the decoration of its control.
int decorationWidth(const QWidget* widget, ControlKind kind) {
  const QStyle* style = widget->style();
  switch (kind) {
    case Check:
      return style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, widget) +
             style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, widget);
    case Radio:
      return style->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, widget) +
             style->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, widget);
    case Button:
      return 6;
    case Group:
      return 16;
    default:
      return 0;
  }
}

// The drawing font's half-width character: FixedSys 18 is 8 pixels wide.
int columnWidthFor(float size) { return std::max(1, int(std::lround(size * 4 / 9))); }

QListWidget* asList(const QWidget* widget) { return static_cast<QListWidget*>(const_cast<QWidget*>(widget)); }
QComboBox* asCombo(const QWidget* widget) { return static_cast<QComboBox*>(const_cast<QWidget*>(widget)); }

QByteArray bytesOf(const SjisString& text) { return QByteArray(text.data(), qsizetype(text.size())); }

}  // namespace

QtBackend::QtBackend(Drives& drives) : drives_(drives) {
  QApplication::setQuitOnLastWindowClosed(false);
  QApplication::setFont(dialogFont());
  wake_.setSingleShot(true);
}

QtBackend::~QtBackend() {
  for (auto& [name, w] : windows_)
    if (w.form && w.widget != main_) delete w.widget;
  delete main_;
}

// ---- Building the windows ---------------------------------------------------

void QtBackend::createWindows(EventSink& sink) {
  sink_ = &sink;
  for (const FormSpec& form : formCatalogue()) buildForm(form);
  main_->show();
}

void QtBackend::buildForm(const FormSpec& entry) {
  const bool isMain = std::string_view(entry.name) == "MAINFORM";
  auto* form = new FormWindow(entry, isMain ? nullptr : main_);
  form->setObjectName(QString::fromUtf8(entry.name));
  form->setWindowTitle(QString::fromUtf8(entry.caption));
  Window& w = windows_[entry.name];
  w.form = &entry;
  w.widget = form;
  w.face = QString::fromUtf8(entry.designFont.face);
  w.size = entry.designFont.size;
  w.text = sjis(entry.caption);
  if (isMain) {
    main_ = form;
    surface_ = new DrawingSurface(form->size(), form);
    form->onClose = [this] { deliver([this] { sink_->mainWindowClosed(); }); };
  }
  for (const ControlSpec& c : entry.controls) {
    Window& cw = windows_[c.name];
    cw.control = &c;
    cw.widget = buildControl(c, form);
    cw.face = QString::fromUtf8(c.designFont.face);
    cw.size = c.designFont.size;
    cw.text = sjis(c.caption);
    applyFont(cw);
    connectEvents(c, cw.widget);
  }
  // Group boxes only frame the buttons in them; the buttons take the clicks.
  for (const ControlSpec& c : entry.controls)
    if (c.kind == Group) windows_[c.name].widget->lower();
  applyFont(w);
}

QWidget* QtBackend::buildControl(const ControlSpec& entry, QWidget* form) {
  const QString caption = QString::fromUtf8(entry.caption);
  QWidget* widget = nullptr;
  bool filled = false;
  switch (entry.kind) {
    case Button:
      widget = new QPushButton(caption, form);
      break;
    case Radio: {
      auto* radio = new QRadioButton(caption, form);
      radio->setChecked(entry.checked);
      widget = radio;
      filled = true;
      break;
    }
    case Check: {
      auto* check = new TwoStateCheckBox(caption, form);
      check->setChecked(entry.checked);
      widget = check;
      filled = true;
      break;
    }
    case Group:
      widget = new QGroupBox(caption, form);
      break;
    case Edit: {
      auto* edit = new SjisLineEdit(entry.maxBytes, entry.digitsOnly, form);
      edit->setProgramText(caption);
      widget = edit;
      break;
    }
    case Label: {
      auto* label = new QLabel(caption, form);
      label->setTextFormat(Qt::PlainText);
      label->setAlignment((entry.centred ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop);
      widget = label;
      filled = true;
      break;
    }
    case List: {
      auto* list = new QListWidget(form);
      list->setSelectionMode(entry.multiSelect ? QAbstractItemView::MultiSelection : QAbstractItemView::SingleSelection);
      list->setItemDelegate(new RowDelegate(list));
      list->setUniformItemSizes(true);
      list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
      widget = list;
      break;
    }
    case Combo:
      widget = new QComboBox(form);
      break;
  }
  widget->setObjectName(QString::fromUtf8(entry.name));
  widget->setGeometry(entry.geometry.x, entry.geometry.y, entry.geometry.width, entry.geometry.height);
  paintBlackOnWhite(widget, filled);
  return widget;
}

// Only signals that come from the user: clicks, choices and typing.
void QtBackend::connectEvents(const ControlSpec& entry, QWidget* widget) {
  const std::string name = entry.name;
  switch (entry.kind) {
    case Button:
    case Radio:
    case Check:
      QObject::connect(static_cast<QAbstractButton*>(widget), &QAbstractButton::clicked, widget,
                       [this, name] { raiseEvent(name, "ON"); });
      break;
    case Edit:
      QObject::connect(static_cast<QLineEdit*>(widget), &QLineEdit::textEdited, widget,
                       [this, name] { raiseEvent(name, "CHANGE"); });
      break;
    case Combo:
      QObject::connect(asCombo(widget), &QComboBox::activated, widget, [this, name] { raiseEvent(name, "CHANGE"); });
      break;
    case List: {
      QListWidget* list = asList(widget);
      // A click selects (or toggles) on the press; the event follows on the
      // release. A click below the last row of a single-selection list
      // leaves no row selected.
      new EventWatcher(
          list->viewport(),
          [this, name, list, doubled = false](QObject*, QEvent* event) mutable {
            if (event->type() == QEvent::MouseButtonDblClick) doubled = true;
            // Only a press or a release is a mouse event to look into.
            if (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseButtonRelease) return false;
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() != Qt::LeftButton) return false;
            if (event->type() == QEvent::MouseButtonPress &&
                list->selectionMode() == QAbstractItemView::SingleSelection &&
                !list->indexAt(mouse->position().toPoint()).isValid()) {
              list->clearSelection();
              list->selectionModel()->clearCurrentIndex();
            }
            if (event->type() == QEvent::MouseButtonRelease) {
              raiseEvent(name, doubled ? "DBLCLICK" : "CLICK");
              doubled = false;
            }
            return false;
          },
          list);
      new EventWatcher(
          list,
          [this, name](QObject*, QEvent* event) {
            if (event->type() != QEvent::KeyPress) return false;
            const auto* key = static_cast<QKeyEvent*>(event);
            if (!key->isAutoRepeat() &&
                (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter || key->key() == Qt::Key_Space))
              raiseEvent(name, "CLICK");
            return false;
          },
          list);
      break;
    }
    case Group:
    case Label:
      break;
  }
}

// ---- Fonts and captions -------------------------------------------------------

void QtBackend::applyFont(Window& w) {
  const QFont font = japaneseFont(w.face, w.size);
  if (w.form) {
    if (w.widget == main_)
      surface_->setTextFont(font, columnWidthFor(w.size));
    else
      w.widget->setFont(font);
    return;
  }
  w.widget->setFont(font);
  const Geometry& g = w.control->geometry;
  switch (w.control->kind) {
    case List: {
      QListWidget* list = asList(w.widget);
      const int row = QFontMetrics(font).height();
      const int frame = 2 * list->frameWidth();
      const int rows = std::max(1, (g.height - frame) / row);
      list->setGeometry(g.x, g.y, g.width, rows * row + frame);
      break;
    }
    case Combo: {
      // The stored height holds the dropped-down list; the box itself is one row.
      QComboBox* combo = asCombo(w.widget);
      const int height = std::min(g.height, combo->sizeHint().height());
      combo->setGeometry(g.x, g.y, g.width, height);
      combo->setMaxVisibleItems(std::max(1, (g.height - height) / QFontMetrics(font).height()));
      break;
    }
    case Edit:
      break;
    default:
      showCaption(w);
  }
}

// Shows the caption in the control's font; when the installed face is wider
// than the one the form was laid out for, the font is made smaller (down to
// seven tenths) until the caption fits its control.
void QtBackend::showCaption(Window& w) {
  const ControlKind kind = w.control->kind;
  const QString caption = toQt(w.text);
  switch (kind) {
    case Button:
    case Radio:
    case Check:
      static_cast<QAbstractButton*>(w.widget)->setText(caption);
      break;
    case Label:
      static_cast<QLabel*>(w.widget)->setText(caption);
      break;
    case Group:
      static_cast<QGroupBox*>(w.widget)->setTitle(caption);
      break;
    default:
      return;
  }
  QFont font = japaneseFont(w.face, w.size);
  const int room = w.control->geometry.width - decorationWidth(w.widget, kind);
  const int smallest = std::max(8, font.pixelSize() * 7 / 10);
  while (font.pixelSize() > smallest && QFontMetrics(font).horizontalAdvance(captionOf(w.widget, kind)) > room)
    font.setPixelSize(font.pixelSize() - 1);
  w.widget->setFont(font);
}

void QtBackend::setFontSize(const std::string& name, float points) {
  Window& w = window(name);
  w.size = points;
  applyFont(w);
}

void QtBackend::setFontName(const std::string& name, const SjisString& face) {
  Window& w = window(name);
  w.face = toQt(face);
  applyFont(w);
}

// ---- Looking up windows ---------------------------------------------------------

QtBackend::Window& QtBackend::window(const std::string& name) {
  const auto found = windows_.find(name);
  if (found == windows_.end()) raise(windows_.empty() ? err::kNoSuchObject : err::kNoSuchControl);
  return found->second;
}

QtBackend::Window& QtBackend::control(const std::string& name, std::initializer_list<ControlKind> kinds) {
  Window& w = window(name);
  if (!w.control || std::find(kinds.begin(), kinds.end(), w.control->kind) == kinds.end()) raise(err::kWrongKind);
  return w;
}

QWidget* QtBackend::widget(const std::string& name) const {
  const auto found = windows_.find(name);
  return found == windows_.end() ? nullptr : found->second.widget;
}

// ---- Forms and controls ---------------------------------------------------------

void QtBackend::setVisible(const std::string& name, bool visible) {
  Window& w = window(name);
  if (!w.form) {
    w.widget->setVisible(visible);
    return;
  }
  if (!visible) {
    w.widget->hide();
    return;
  }
  w.widget->show();
  w.widget->raise();
  w.widget->activateWindow();
}

// A control counts as visible when the program has not hidden it, also while
// its form is put away; a form when it is on the screen.
bool QtBackend::isVisible(const std::string& name) {
  const Window& w = window(name);
  return w.form ? w.widget->isVisible() : !w.widget->isHidden();
}

void QtBackend::setEnabled(const std::string& name, bool enabled) { window(name).widget->setEnabled(enabled); }
bool QtBackend::isEnabled(const std::string& name) { return window(name).widget->isEnabled(); }

void QtBackend::setTopMost(const std::string& form, bool topMost) {
  Window& w = window(form);
  if (!w.form) raise(err::kWrongKind);
  const bool shown = w.widget->isVisible();
  const QPoint at = w.widget->pos();
  // Qt puts a window away when its flags change; it comes back where it was.
  w.widget->setWindowFlag(Qt::WindowStaysOnTopHint, topMost);
  w.widget->move(at);
  if (shown) w.widget->show();
}

SjisString QtBackend::getText(const std::string& name) {
  const Window& w = window(name);
  if (w.form) return w.text;
  switch (w.control->kind) {
    case Edit: {
      const QString shown = static_cast<const QLineEdit*>(w.widget)->text();
      return shown == toQt(w.text) ? w.text : fromQt(shown);
    }
    case List:
    case Combo: {
      const int current = listIndex(name);
      return current >= 0 ? w.rows[size_t(current)] : SjisString();
    }
    default:
      return w.text;
  }
}

void QtBackend::setText(const std::string& name, const SjisString& text) {
  Window& w = window(name);
  if (w.form) {
    w.text = text;
    if (w.widget == main_)
      showMainTitle();
    else
      w.widget->setWindowTitle(toQt(text));
    return;
  }
  const QSignalBlocker quiet(w.widget);
  switch (w.control->kind) {
    case Edit:
      w.text = text;
      static_cast<SjisLineEdit*>(w.widget)->setProgramText(toQt(text));
      break;
    case Combo: {
      // A drop-down list shows only its entries: the text selects one.
      const auto row = std::find(w.rows.begin(), w.rows.end(), text);
      asCombo(w.widget)->setCurrentIndex(row == w.rows.end() ? -1 : int(row - w.rows.begin()));
      break;
    }
    case List:
      raise(err::kWrongKind);
    default:
      w.text = text;
      showCaption(w);
  }
}

int QtBackend::getCheck(const std::string& name) {
  const Window& w = control(name, {Check, Radio});
  if (w.control->kind == Radio) return static_cast<QRadioButton*>(w.widget)->isChecked() ? 1 : 0;
  switch (static_cast<QCheckBox*>(w.widget)->checkState()) {
    case Qt::Checked:
      return 1;
    case Qt::PartiallyChecked:
      return 2;
    default:
      return 0;
  }
}

void QtBackend::setCheck(const std::string& name, int state) {
  const Window& w = control(name, {Check, Radio});
  if (state < 0 || state > 2) raise(err::kBadArgument);
  const QSignalBlocker quiet(w.widget);
  if (w.control->kind == Radio) {
    // The program sets each option button by itself, as BM_SETCHECK does.
    auto* radio = static_cast<QRadioButton*>(w.widget);
    radio->setAutoExclusive(false);
    radio->setChecked(state != 0);
    radio->setAutoExclusive(true);
    return;
  }
  auto* check = static_cast<QCheckBox*>(w.widget);
  check->setTristate(state == 2);
  check->setCheckState(state == 1 ? Qt::Checked : state == 2 ? Qt::PartiallyChecked : Qt::Unchecked);
}

int QtBackend::listCount(const std::string& name) { return int(control(name, {List, Combo}).rows.size()); }

bool QtBackend::listSelected(const std::string& name, int index) {
  const Window& w = control(name, {List});
  const QListWidgetItem* item = asList(w.widget)->item(index);
  return item && item->isSelected();
}

// The selected row of a single-selection list or combo box; the caret of a
// multiple-selection list.
int QtBackend::listIndex(const std::string& name) {
  const Window& w = control(name, {List, Combo});
  if (w.control->kind == Combo) return asCombo(w.widget)->currentIndex();
  const QListWidget* list = asList(w.widget);
  if (w.control->multiSelect) return list->currentRow();
  const QList<QListWidgetItem*> selected = list->selectedItems();
  return selected.isEmpty() ? -1 : list->row(selected.front());
}

void QtBackend::setListIndex(const std::string& name, int index) {
  const Window& w = control(name, {List, Combo});
  const QSignalBlocker quiet(w.widget);
  if (w.control->kind == Combo) {
    asCombo(w.widget)->setCurrentIndex(index);
    return;
  }
  QListWidget* list = asList(w.widget);
  // A multiple-selection list moves only its caret; the others select the row.
  const QModelIndex row = index >= 0 ? list->model()->index(index, 0) : QModelIndex();
  list->selectionModel()->setCurrentIndex(
      row, w.control->multiSelect ? QItemSelectionModel::NoUpdate : QItemSelectionModel::ClearAndSelect);
  if (!row.isValid() && !w.control->multiSelect) list->clearSelection();
}

SjisString QtBackend::listItem(const std::string& name, int index) {
  const Window& w = control(name, {List, Combo});
  return index >= 0 && size_t(index) < w.rows.size() ? w.rows[size_t(index)] : SjisString();
}

void QtBackend::listAdd(const std::string& name, const SjisString& text) {
  Window& w = control(name, {List, Combo});
  const QSignalBlocker quiet(w.widget);
  const size_t at = w.control->sorted ? sortedInsertPosition(w.rows, text) : w.rows.size();
  w.rows.insert(w.rows.begin() + ptrdiff_t(at), text);
  if (w.control->kind == Combo)
    asCombo(w.widget)->insertItem(int(at), toQt(text), bytesOf(text));
  else
    asList(w.widget)->insertItem(int(at), toQt(text));
}

void QtBackend::listClear(const std::string& name) {
  Window& w = control(name, {List, Combo});
  const QSignalBlocker quiet(w.widget);
  w.rows.clear();
  if (w.control->kind == Combo)
    asCombo(w.widget)->clear();
  else
    asList(w.widget)->clear();
}

// Input-method modes become hints where Qt has them: 3 switches the input
// method off for the field, 0 gives it back; 2 and 7 (closed, alphanumeric)
// prefer Latin input.
void QtBackend::setImeMode(const std::string& name, int mode) {
  Window& w = window(name);
  if (w.form || w.control->kind != Edit) return;
  if (mode == 3 || mode == 0) {
    w.widget->setAttribute(Qt::WA_InputMethodEnabled, mode == 0);
    return;
  }
  Qt::InputMethodHints hints = w.control->digitsOnly ? Qt::ImhDigitsOnly : Qt::ImhNone;
  if (mode == 2 || mode == 7) hints |= Qt::ImhPreferLatin;
  w.widget->setInputMethodHints(hints);
}

// ---- Dialogs ----------------------------------------------------------------

// Dialogs belong to the form that stays on top, when one is shown, so that
// they appear above it; otherwise to the main window.
QWidget* QtBackend::dialogOwner() const {
  for (const FormSpec& form : formCatalogue()) {
    const auto found = windows_.find(form.name);
    if (found == windows_.end()) continue;
    const QWidget* w = found->second.widget;
    if (w != main_ && w->isVisible() && (w->windowFlags() & Qt::WindowStaysOnTopHint)) return found->second.widget;
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

SjisString QtBackend::fileDialog(const FileDialogRequest& request) {
  std::string folder;
  try {
    folder = drives_.toNative(request.initialFolder.empty() ? drives_.currentFolder() : request.initialFolder);
  } catch (const RuntimeError&) {
    folder = drives_.toNative(drives_.currentFolder());  // as the dialog does, it starts in the current folder
  }
  FileDialog dialog(dialogOwner(), request, QString::fromStdString(folder), drives_, modals_);
  const bool accepted = modals_.run(dialog) == QDialog::Accepted;
  rethrowPending();
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

void QtBackend::raiseEvent(const std::string& control, const char* event) {
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
    if (waitAction_) waitAction_();
    // Wakes up after about 1 ms when nothing happens.
    wake_.start(1);
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    sincePoll_.start();
  } else if (!sincePoll_.isValid() || sincePoll_.elapsed() >= kPollIntervalMs) {
    QCoreApplication::processEvents();
    sincePoll_.start();
  }
  rethrowPending();
}

// Progress goes into the main window's title after the program's caption;
// the caption itself, as the program reads it, does not change.
void QtBackend::showProgress(const SjisString& text) {
  if (text == progress_) return;
  if (!text.empty() && sinceProgress_.isValid() && sinceProgress_.elapsed() < kProgressIntervalMs) return;
  progress_ = text;
  sinceProgress_.start();
  showMainTitle();
}

void QtBackend::showMainTitle() {
  if (!main_) return;
  const Window& w = windows_.at("MAINFORM");
  main_->setWindowTitle(progress_.empty() ? toQt(w.text) : toQt(w.text) + QStringLiteral("　") + toQt(progress_));
}

// The report stands on the main window, in front of everything else, until
// the user presses a key or closes the window.
void QtBackend::showErrorReport(const std::vector<SjisString>& lines) {
  if (!main_ || !surface_) return;
  for (auto& [name, w] : windows_)
    if (w.form && w.widget != main_) w.widget->hide();
  progress_.clear();
  showMainTitle();
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
  windows_.clear();
}

}  // namespace headly
