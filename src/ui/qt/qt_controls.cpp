// The Qt backend's control adapters: what the program sets and reads on
// forms and controls, mapped onto their widgets. The names and kinds were
// checked by the toolkit before.
#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <algorithm>

#include "text/runtime_error.h"
#include "ui/list_rows.h"
#include "ui/qt/form_window.h"
#include "ui/qt/list_widgets.h"
#include "ui/qt/qt_backend.h"
#include "ui/qt/qt_text.h"
#include "ui/qt/sjis_line_edit.h"
#include "ui/toolkit.h"

namespace headly {
namespace {

using enum ControlKind;

QByteArray bytesOf(const SjisString& text) { return QByteArray(text.data(), qsizetype(text.size())); }

}  // namespace

QtBackend::Window& QtBackend::window(const std::string& name) {
  const auto found = windows_.find(name);
  if (found == windows_.end()) raise(windows_.empty() ? err::kNoSuchObject : err::kNoSuchControl);
  return found->second;
}

QWidget* QtBackend::widget(const std::string& name) const {
  const auto found = windows_.find(name);
  return found == windows_.end() ? nullptr : found->second.widget;
}

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
  static_cast<FormWindow*>(w.widget)->keepOnScreen();
  w.widget->show();
  w.widget->raise();
  w.widget->activateWindow();
  focusFirstField(*w.form);
}

// A form that is shown puts the focus on its first input field in creation
// order that can take it, with its text selected so that
// typing replaces it; without one, on its first control that takes the focus.
void QtBackend::focusFirstField(const FormSpec& form) {
  QWidget* first = nullptr;
  for (const ControlSpec& c : form.controls) {
    QWidget* widget = windows_.at(c.name).widget;
    if (widget->isHidden() || !widget->isEnabled() || widget->focusPolicy() == Qt::NoFocus) continue;
    if (c.kind == Edit || c.kind == List || c.kind == Combo) {
      widget->setFocus(Qt::TabFocusReason);
      if (c.kind == Edit) static_cast<QLineEdit*>(widget)->selectAll();
      return;
    }
    if (!first) first = widget;
  }
  if (first) first->setFocus(Qt::TabFocusReason);
}

// A control counts as visible when the program has not hidden it, also while
// its form is put away; a form when it is on the screen.
bool QtBackend::isVisible(const std::string& name) {
  const Window& w = window(name);
  return w.form ? w.widget->isVisible() : !w.widget->isHidden();
}

void QtBackend::setEnabled(const std::string& name, bool enabled) { window(name).widget->setEnabled(enabled); }
bool QtBackend::isEnabled(const std::string& name) { return window(name).widget->isEnabled(); }

// A form on top stays above the main window it belongs to (it is a window
// of its own, transient for the main window), not above other programs.
void QtBackend::setTopMost(const std::string& form, bool topMost) {
  Window& w = window(form);
  w.topMost = topMost;
  if (topMost && w.widget->isVisible()) w.widget->raise();
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
    default: {
      w.text = text;
      showCaption(w);
      const FormSpec* form = nullptr;
      findControl(name, &form);
      nameForScreenReaders(*form);
    }
  }
}

int QtBackend::getCheck(const std::string& name) {
  const Window& w = window(name);
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
  const Window& w = window(name);
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

int QtBackend::listCount(const std::string& name) { return int(window(name).rows.size()); }

bool QtBackend::listSelected(const std::string& name, int index) {
  const Window& w = window(name);
  const QListWidgetItem* item = asList(w.widget)->item(index);
  return item && item->isSelected();
}

// The selected row of a single-selection list or combo box; the caret of a
// multiple-selection list.
int QtBackend::listIndex(const std::string& name) {
  const Window& w = window(name);
  if (w.control->kind == Combo) return asCombo(w.widget)->currentIndex();
  const QListWidget* list = asList(w.widget);
  if (w.control->multiSelect) return list->currentRow();
  const QList<QListWidgetItem*> selected = list->selectedItems();
  return selected.isEmpty() ? -1 : list->row(selected.front());
}

void QtBackend::setListIndex(const std::string& name, int index) {
  const Window& w = window(name);
  const QSignalBlocker quiet(w.widget);
  if (w.control->kind == Combo) {
    asCombo(w.widget)->setCurrentIndex(index);
    return;
  }
  QListWidget* list = asList(w.widget);
  const bool selects = indexSelectsRow(*w.control);
  const QModelIndex row = index >= 0 ? list->model()->index(index, 0) : QModelIndex();
  list->selectionModel()->setCurrentIndex(row,
                                          selects ? QItemSelectionModel::ClearAndSelect : QItemSelectionModel::NoUpdate);
  if (!row.isValid() && selects) list->clearSelection();
}

SjisString QtBackend::listItem(const std::string& name, int index) {
  const Window& w = window(name);
  return index >= 0 && size_t(index) < w.rows.size() ? w.rows[size_t(index)] : SjisString();
}

void QtBackend::listAdd(const std::string& name, const SjisString& text) {
  Window& w = window(name);
  const QSignalBlocker quiet(w.widget);
  const size_t at = listInsertPosition(*w.control, w.rows, text);
  w.rows.insert(w.rows.begin() + ptrdiff_t(at), text);
  if (w.control->kind == Combo)
    asCombo(w.widget)->insertItem(int(at), toQt(text), bytesOf(text));
  else
    asList(w.widget)->insertItem(int(at), toQt(text));
}

void QtBackend::listClear(const std::string& name) {
  Window& w = window(name);
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

}  // namespace headly
