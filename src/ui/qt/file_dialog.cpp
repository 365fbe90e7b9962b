#include "ui/qt/file_dialog.h"

#include <algorithm>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QDropEvent>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QLineEdit>
#include <QMimeData>
#include <QSortFilterProxyModel>
#include <QStandardPaths>
#include <QTreeView>
#include <QUrl>

#include "system/drives.h"
#include "system/path_text.h"
#include "ui/chosen_file.h"
#include "ui/file_filter.h"
#include "ui/qt/event_watcher.h"
#include "ui/qt/message_dialog.h"
#include "ui/qt/modal_runner.h"
#include "ui/qt/qt_text.h"

namespace headly {

namespace {

constexpr size_t kMaxDialogPath = 259;  // the 260-byte path buffer holds the NUL too

// Why a file name is refused: the first character it has without a
// Shift-JIS form, or a path too long.
QString whyNot(const QString& name, bool tooLong) {
  if (const char32_t c = firstWithoutShiftJis(name))
    return QStringLiteral("\n「%1」はShift-JISで表せない文字です。").arg(codePointName(c));
  return tooLong ? QStringLiteral("\nパスが長すぎます（%1バイトまで）。").arg(kMaxDialogPath) : QString();
}

// The user's own folders that exist, each once, home first.
QList<QUrl> userFolders() {
  QList<QUrl> folders;
  for (QStandardPaths::StandardLocation place : {QStandardPaths::HomeLocation, QStandardPaths::DesktopLocation,
                                                 QStandardPaths::DocumentsLocation, QStandardPaths::DownloadLocation}) {
    const QString path = QStandardPaths::writableLocation(place);
    const QUrl url = QUrl::fromLocalFile(path);
    if (!path.isEmpty() && QFileInfo(path).isDir() && !folders.contains(url)) folders << url;
  }
  return folders;
}

// The first local file a drag carries, or an empty text.
QString draggedFile(const QEvent* event) {
  const QMimeData* data = static_cast<const QDropEvent*>(event)->mimeData();
  if (!data || !data->hasUrls()) return {};
  for (const QUrl& url : data->urls())
    if (url.isLocalFile()) return url.toLocalFile();
  return {};
}

bool isDragEvent(const QEvent* event) {
  return event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove || event->type() == QEvent::Drop;
}

}  // namespace

// Lists every folder and the files that match the current filter.
class PatternFilterModel : public QSortFilterProxyModel {
 public:
  using QSortFilterProxyModel::QSortFilterProxyModel;
  void setFilter(const FileFilter& filter) {
    filter_ = filter;
    invalidateFilter();
  }

 protected:
  bool filterAcceptsRow(int row, const QModelIndex& parent) const override {
    const auto* files = static_cast<const QFileSystemModel*>(sourceModel());
    const QModelIndex index = files->index(row, 0, parent);
    return files->isDir(index) || matchesFilter(fromQt(files->fileName(index)), filter_);
  }

 private:
  FileFilter filter_;
};

FileDialog::FileDialog(QWidget* owner, const FileDialogRequest& request, const QString& nativeFolder, Drives& drives,
                       ModalRunner& modals)
    : QFileDialog(owner),
      request_(request),
      drives_(drives),
      modals_(modals),
      filterModel_(new PatternFilterModel(this)) {
  setOption(QFileDialog::DontUseNativeDialog);
  setOption(QFileDialog::DontConfirmOverwrite);  // asked by accept(), with the program's wording
  setWindowTitle(toQt(request.title));
  setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  // Existence is checked by accept(), so that a typed pattern can reach it.
  setFileMode(QFileDialog::AnyFile);

  QStringList entries;
  for (const FileFilter& filter : request.filters) entries << toQt(filter.text);
  setNameFilters(entries);
  setProxyModel(filterModel_);
  // Qt's own reading of the entries would hide what the program's patterns
  // show: the file model lists everything, the proxy decides.
  if (auto* files = findChild<QFileSystemModel*>()) files->setNameFilters({});
  if (!request.filters.empty()) filterModel_->setFilter(request.filters.front());
  if (auto* types = findChild<QComboBox*>(QStringLiteral("fileTypeCombo"))) {
    disconnect(types, nullptr, this, nullptr);
    connect(types, &QComboBox::activated, this, [this](int index) {
      if (index >= 0 && size_t(index) < request_.filters.size())
        filterModel_->setFilter(request_.filters[size_t(index)]);
    });
  }

  setSidebarUrls(userFolders());
  fitDetailColumns();
  setDirectory(nativeFolder);
  if (QLineEdit* name = nameField()) name->setText(toQt(request.initialName));
  watchDrops();
}

// In the detail view the size, type and date columns take the width their
// texts need, each time a folder has been read; the name column keeps the
// rest of the view (at least a third of it).
void FileDialog::fitDetailColumns() {
  auto* details = findChild<QTreeView*>(QStringLiteral("treeView"));
  auto* files = findChild<QFileSystemModel*>();
  if (!details || !files) return;
  connect(files, &QFileSystemModel::directoryLoaded, details, [details] {
    int others = 0;
    for (int column = 1; column < details->header()->count(); ++column) {
      details->resizeColumnToContents(column);
      others += details->columnWidth(column);
    }
    const int view = details->viewport()->width();
    details->setColumnWidth(0, std::max(view - others, view / 3));
  });
}

// A file dragged over any part of the dialog is taken by the dialog itself,
// before a child (the name field, the side bar) reads the drag as text or
// as a new side bar entry.
void FileDialog::watchDrops() {
  setAcceptDrops(true);
  new EventWatcher(
      qApp,
      [this](QObject* target, QEvent* event) {
        if (!isDragEvent(event) || !target->isWidgetType() || static_cast<QWidget*>(target)->window() != this)
          return false;
        auto* drag = static_cast<QDropEvent*>(event);
        const QString file = draggedFile(event);
        if (file.isEmpty()) {
          drag->ignore();
          return true;
        }
        drag->acceptProposedAction();
        if (event->type() == QEvent::Drop) propose(file);
        return true;
      },
      this);
}

void FileDialog::propose(const QString& nativeFile) {
  const QFileInfo info(QDir::cleanPath(nativeFile));
  if (info.isDir()) {
    setDirectory(info.absoluteFilePath());
    return;
  }
  if (!info.absoluteDir().exists()) return;
  setDirectory(info.absolutePath());
  if (QLineEdit* name = nameField()) name->setText(info.fileName());
}

int FileDialog::chosenFilter() const { return std::max(0, int(nameFilters().indexOf(selectedNameFilter()))); }

QLineEdit* FileDialog::nameField() const { return findChild<QLineEdit*>(QStringLiteral("fileNameEdit")); }

void FileDialog::warn(const QString& text) {
  MessageDialog box(this, windowTitle(), text, Buttons::Ok, Icon::Exclamation);
  modals_.run(box);
}

bool FileDialog::confirm(const QString& text) {
  MessageDialog box(this, windowTitle(), text, Buttons::YesNo, Icon::Exclamation);
  modals_.run(box);
  return box.answer() == kAnswerYes;
}

void FileDialog::accept() {
  const QString typed = nameField() ? nameField()->text().trimmed() : QString();
  const SjisString typedSjis = fromQt(typed);
  if (hasWildcard(typedSjis)) {
    // Patterns typed into the name field filter the list, as on Windows.
    FileFilter typedFilter{typedSjis, {}};
    for (const QString& pattern : typed.split(QLatin1Char(';'), Qt::SkipEmptyParts))
      typedFilter.patterns.push_back(fromQt(pattern.trimmed()));
    filterModel_->setFilter(typedFilter);
    return;
  }
  if (typed.isEmpty()) return;
  // The name field decides; a row still selected in the list does not.
  QFileInfo info(QDir::cleanPath(directory().absoluteFilePath(typed)));
  if (info.isDir()) {
    setDirectory(info.absoluteFilePath());
    nameField()->clear();
    return;
  }
  if (request_.save) {
    const SjisString extension = addedExtension(fromQt(info.fileName()), request_.filters[size_t(chosenFilter())]);
    if (!extension.empty()) info = QFileInfo(info.absoluteFilePath() + toQt(extension));
  }
  const std::optional<SjisString> path = drives_.fromNative(info.absoluteFilePath().toStdString());
  if (!path || path->size() > kMaxDialogPath) {
    // A folder whose name has no Shift-JIS form is named, not the file.
    const QString folder = QString::fromStdString(Drives::nameWithoutShiftJis(info.absolutePath().toStdString()));
    const bool tooLong = path && path->size() > kMaxDialogPath;
    warn(folder.isEmpty()
             ? info.fileName() + QStringLiteral("\nファイル名が正しくありません。") + whyNot(info.fileName(), tooLong)
             : folder + QStringLiteral("\nフォルダ名にShift-JISで表せない文字があるため開けません。"));
    return;
  }
  const ChosenFile onDisk = lookAtChosenFile(drives_, *path);
  if (!onDisk.folderExists) {
    warn(info.absolutePath() + QStringLiteral("\nパスが見つかりません。\nパスが正しいかどうかを確認してください。"));
    return;
  }
  if (request_.fileMustExist && onDisk.kind != EntryKind::RegularFile) {
    warn(info.fileName() + QStringLiteral("\nファイルが見つかりません。\nファイル名を確認してください。"));
    return;
  }
  if (request_.overwritePrompt && onDisk.kind != EntryKind::Missing &&
      !confirm(info.fileName() + QStringLiteral(" は既に存在します。\n上書きしますか?")))
    return;
  chosen_ = *path;
  QDialog::accept();
}

}  // namespace headly
