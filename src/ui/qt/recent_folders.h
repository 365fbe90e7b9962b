// The folders of the last data files opened in the windows, newest first and
// at most ten, kept between runs in an INI file with QSettings (group
// OpenDialog, key recentFolders). The open dialog's side bar offers those
// that still exist. Nothing else is kept there.
#pragma once

#include <QList>
#include <QString>
#include <QUrl>
#include <utility>

namespace headly {

class RecentFolders {
 public:
  static constexpr int kMaxFolders = 10;

  // Kept in settingsFile; an empty name keeps nothing and offers nothing.
  explicit RecentFolders(QString settingsFile = {}) : settingsFile_(std::move(settingsFile)) {}

  // The folders kept that exist, newest first.
  QList<QUrl> existing() const;
  // The folder of the file opened goes first, once.
  void remember(const QString& nativeFile);

 private:
  QString settingsFile_;
};

}  // namespace headly
