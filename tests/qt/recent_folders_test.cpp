// The open dialog's side bar offers the folders of the last data files
// opened, newest first, each once, at most ten, after the user's own folders;
// they are kept in the settings file for the next run. Save dialogs neither
// offer nor keep them.
#include <gtest/gtest.h>

#include <QDialog>
#include <QLineEdit>
#include <filesystem>
#include <string>

#include "qt/qt_fixture.h"
#include "support/temp_folder.h"
#include "text/encoding.h"
#include "ui/qt/file_dialog.h"
#include "ui/qt/recent_folders.h"

namespace headly {
namespace {

using test::TempFolder;

class RecentDataFolders : public test::QtWindows {
 protected:
  RecentDataFolders() { backend.keepRecentFolders(settingsFile); }

  QUrl url(const std::string& name) const { return QUrl::fromLocalFile(QString::fromStdString(data / name)); }

  // A data file in a folder of its own below the test folder, opened in the
  // open dialog; the side bar the dialog offered.
  QList<QUrl> open(const std::string& folder) {
    std::filesystem::create_directories(data / folder);
    data.write(folder + "/d.csv", "a,b\r\n");
    QList<QUrl> side;
    backend.modals().queueAnswer([&](QDialog& shown) {
      auto& dialog = dynamic_cast<FileDialog&>(shown);
      side = dialog.sidebarUrls();
      dialog.setDirectory(QString::fromStdString(data / folder));
      dialog.nameField()->setText(QStringLiteral("d.csv"));
      dialog.accept();
    });
    EXPECT_EQ(ui.openFileDialog(sjis("データファイルの読み込み"), start(), filter), *drives.fromNative(data / folder + "/d.csv"));
    return side;
  }

  // The side bar of a dialog, which is then cancelled.
  QList<QUrl> offered(bool save = false) {
    QList<QUrl> side;
    backend.modals().queueAnswer([&](QDialog& shown) {
      side = dynamic_cast<FileDialog&>(shown).sidebarUrls();
      shown.reject();
    });
    if (save)
      ui.saveFileDialog(sjis("データファイルの書き込み"), start() + "HEADLY.TXT", filter);
    else
      ui.openFileDialog(sjis("データファイルの読み込み"), start(), filter);
    return side;
  }

  // The side bar without the user's own folders, which come first.
  QList<QUrl> recent(const QList<QUrl>& side) const { return side.mid(userFolders); }

  SjisString start() { return *drives.fromNative(data.path()) + "\\"; }

  const SjisString filter = sjis("ﾃｷｽﾄ形式(*.TXT,*.CSV)");
  TempFolder data, settings;
  const std::string settingsFile = settings / "headly.conf";
  const qsizetype userFolders = offered().size();
};

TEST_F(RecentDataFolders, TheFolderOfAFileOpenedIsOfferedNowAndInTheNextRun) {
  EXPECT_EQ(recent(open("april")), QList<QUrl>{});
  EXPECT_EQ(recent(offered()), QList<QUrl>{url("april")});
  EXPECT_EQ(RecentFolders(QString::fromStdString(settingsFile)).existing(), QList<QUrl>{url("april")});
  // Opened again from there, it stays once.
  EXPECT_EQ(recent(open("april")), QList<QUrl>{url("april")});
  EXPECT_EQ(recent(offered()), QList<QUrl>{url("april")});
}

TEST_F(RecentDataFolders, TenAtMostNewestFirst) {
  for (int i = 1; i <= 12; ++i) open("m" + std::to_string(i));
  open("m5");
  QList<QUrl> expected{url("m5")};
  for (int i = 12; expected.size() < RecentFolders::kMaxFolders; --i)
    if (i != 5) expected << url("m" + std::to_string(i));
  EXPECT_EQ(recent(offered()), expected);
  EXPECT_EQ(expected.back(), url("m3"));  // m1 and m2 fell off
}

TEST_F(RecentDataFolders, FoldersGoneAndSaveDialogsAreLeftOut) {
  open("kept");
  open("gone");
  std::filesystem::remove_all(data / "gone");
  EXPECT_EQ(recent(offered()), QList<QUrl>{url("kept")});
  EXPECT_EQ(recent(offered(true)), QList<QUrl>{});
  backend.modals().queueAnswer([&](QDialog& shown) {
    auto& dialog = dynamic_cast<FileDialog&>(shown);
    dialog.setDirectory(QString::fromStdString(data / "saved"));
    dialog.nameField()->setText(QStringLiteral("OUT.TXT"));
    dialog.accept();
  });
  std::filesystem::create_directories(data / "saved");
  ui.saveFileDialog(sjis("データファイルの書き込み"), start() + "HEADLY.TXT", filter);
  EXPECT_EQ(recent(offered()), QList<QUrl>{url("kept")});
}

// Without a settings file (a backend not told where to keep them) nothing is
// kept or offered.
TEST(RecentFoldersStore, WithoutAFileNothingIsKept) {
  RecentFolders none;
  none.remember(QStringLiteral("/tmp/a.csv"));
  EXPECT_TRUE(none.existing().isEmpty());
}

}  // namespace
}  // namespace headly
