#include "ui/qt/recent_folders.h"

#include <QFileInfo>
#include <QSettings>
#include <QStringList>

namespace headly {
namespace {

constexpr char kKey[] = "OpenDialog/recentFolders";

}  // namespace

QList<QUrl> RecentFolders::existing() const {
  if (settingsFile_.isEmpty()) return {};
  const QSettings settings(settingsFile_, QSettings::IniFormat);
  QList<QUrl> folders;
  for (const QString& folder : settings.value(QString::fromLatin1(kKey)).toStringList())
    if (folders.size() < kMaxFolders && QFileInfo(folder).isDir()) folders << QUrl::fromLocalFile(folder);
  return folders;
}

void RecentFolders::remember(const QString& nativeFile) {
  if (settingsFile_.isEmpty()) return;
  QSettings settings(settingsFile_, QSettings::IniFormat);
  const QString folder = QFileInfo(nativeFile).absolutePath();
  QStringList folders = settings.value(QString::fromLatin1(kKey)).toStringList();
  folders.removeAll(folder);
  folders.prepend(folder);
  settings.setValue(QString::fromLatin1(kKey), folders.mid(0, kMaxFolders));
}

}  // namespace headly
