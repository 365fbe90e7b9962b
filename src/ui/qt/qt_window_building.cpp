// The Qt backend's windows as they are built from the catalogue: the widget
// of every control, the user's signals that become events, and the fonts and
// captions.
#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QToolTip>
#include <QHelpEvent>
#include <QAbstractItemView>
#include <algorithm>
#include <cmath>

#include "text/encoding.h"
#include "ui/qt/drawing_surface.h"
#include "ui/qt/event_watcher.h"
#include "ui/qt/form_style.h"
#include "ui/qt/form_window.h"
#include "ui/qt/japanese_font.h"
#include "ui/qt/key_click_list.h"
#include "ui/qt/list_widgets.h"
#include "ui/qt/progress_panel.h"
#include "ui/qt/qt_backend.h"
#include "ui/qt/qt_text.h"
#include "ui/qt/sjis_line_edit.h"
#include "ui/qt/tab_order.h"

namespace headly {
namespace {

using enum ControlKind;

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
// draws them, so that the list shows whole rows only. The text stands at the
// top of its row: centred, it would rise a pixel above the row, where the
// row's edge cuts off the top of a glyph as tall as the font. A row cut
// short with "…" shows its whole text as a tooltip.
class RowDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    return {QStyledItemDelegate::sizeHint(option, index).width(), QFontMetrics(option.font).height()};
  }
  bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                 const QModelIndex& index) override {
    if (event->type() != QEvent::ToolTip || !index.isValid())
      return QStyledItemDelegate::helpEvent(event, view, option, index);
    QStyleOptionViewItem row = option;
    initStyleOption(&row, index);
    const QStyle* style = view->style();
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, &row, view) + 1;
    const int room = style->subElementRect(QStyle::SE_ItemViewItemText, &row, view).width() - 2 * margin;
    if (QFontMetrics(row.font).horizontalAdvance(row.text) > room)
      QToolTip::showText(event->globalPos(), row.text, view->viewport(), option.rect);
    else
      QToolTip::hideText();
    return true;
  }

 protected:
  void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
    QStyledItemDelegate::initStyleOption(option, index);
    option->displayAlignment = Qt::AlignLeft | Qt::AlignTop;
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

// How wide a label that starts at the left may grow on its form: up to two
// pixels before the next control beside it, or to the edge at formWidth.
int widthBesideLabel(const ControlSpec& label, const FormSpec& form, int formWidth) {
  const Geometry& g = label.geometry;
  int right = formWidth;
  for (const ControlSpec& other : form.controls) {
    const Geometry& o = other.geometry;
    if (o.x > g.x && o.y < g.y + g.height && o.y + o.height > g.y) right = std::min(right, o.x - 2);
  }
  return std::max(g.width, right - g.x);
}

// The drawing font's half-width character: FixedSys 18 is 8 pixels wide.
int columnWidthFor(float size) { return std::max(1, int(std::lround(size * 4 / 9))); }

}  // namespace

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
    surface_ = new DrawingSurface(form->designedSize(), form);
    progressPanel_ = new ProgressPanel(form);
    form->onClose = [this] { return closeMainWindow(); };
    new EventWatcher(
        form,
        [this](QObject*, QEvent* event) {
          if (event->type() == QEvent::WindowActivate) restoreMinimisedForms();
          return false;
        },
        form);
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
  std::vector<QWidget*> controls;
  for (const ControlSpec& c : entry.controls) {
    controls.push_back(windows_[c.name].widget);
    if (c.kind == Group) controls.back()->lower();
  }
  auto* defaultButton =
      entry.defaultButton ? static_cast<QPushButton*>(windows_[entry.defaultButton].widget) : nullptr;
  if (defaultButton) defaultButton->setDefault(true);
  form->setDefaultButton(defaultButton);
  orderTabs(controls, defaultButton);
  applyFont(w);
  nameForScreenReaders(entry);
}

// Names and descriptions follow the texts of the labels they come from.
void QtBackend::nameForScreenReaders(const FormSpec& form) {
  for (const ControlSpec& c : form.controls) {
    QWidget* widget = windows_.at(c.name).widget;
    if (c.spokenName)
      widget->setAccessibleName(QString::fromUtf8(c.spokenName));
    else if (c.labelledBy)
      widget->setAccessibleName(toQt(windows_.at(c.labelledBy).text));
    if (c.describedBy) widget->setAccessibleDescription(toQt(windows_.at(c.describedBy).text));
  }
}

QWidget* QtBackend::buildControl(const ControlSpec& entry, QWidget* form) {
  const QString caption = QString::fromUtf8(entry.caption);
  QWidget* widget = nullptr;
  bool filled = false;
  switch (entry.kind) {
    case Button: {
      // Enter presses the button that has the focus, as Space does.
      auto* button = new QPushButton(caption, form);
      button->setAutoDefault(true);
      widget = button;
      break;
    }
    case Radio: {
      auto* radio = new QRadioButton(caption, form);
      radio->setStyle(formStyle_.get());
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
      widget->setStyle(formStyle_.get());
      break;
    case Edit: {
      auto* edit = new SjisLineEdit(typingRuleOf(entry), form);
      edit->useThinBorder();
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
      auto* list = new KeyClickList(form);
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
      static_cast<KeyClickList*>(list)->onKeyClick([this, name] { raiseEvent(name, "CLICK"); });
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

// Shows the caption in the control's font. A label that starts at the left
// reaches into the free room beside it rather than cutting its caption;
// when the caption is still wider (or the control is another kind), the font
// is made smaller (down to seven tenths) until the caption fits.
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
  const Geometry& g = w.control->geometry;
  int room = g.width - decorationWidth(w.widget, kind);
  if (kind == Label && !w.control->centred) {
    const FormSpec* form = nullptr;
    findControl(w.control->name, &form);
    const int widest = widthBesideLabel(*w.control, *form, w.widget->parentWidget()->width());
    const int width = std::clamp(QFontMetrics(font).horizontalAdvance(caption), g.width, widest);
    w.widget->resize(width, g.height);
    room = width;
  }
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

}  // namespace headly
