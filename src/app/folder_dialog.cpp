#include "app/folder_dialog.h"

#include <cctype>
#include <memory>

#include "app/base_folder.h"
#include "text/encoding.h"
#include "text/runtime_error.h"
#include "system/text_files.h"
#include "ui/form_controls.h"
#include "ui/toolkit.h"

namespace headly {

namespace {

constexpr char kDefaultFolderName[] = "HEADLY";

// A drive entry reads "[-c-]": its letter is the third byte.
char driveLetter(const SjisString& entry) { return entry.size() >= 3 ? entry[2] : '\0'; }

// The browsing state of FORM5 and its handlers.
class FolderDialog {
 public:
  FolderDialog(Ui& ui, TextFiles& files, const SjisString& workFolder)
      : ui_(ui), files_(files), workFolder_(workFolder) {}

  // The base folder created, once it is.
  const SjisString& selectedPath() const { return selectedPath_; }

  // Fills the drive list with the current drive selected, shows that drive's
  // current folder and proposes the folder name.
  void prepare() {
    ui_.listClear(form5::kDrives);
    for (const SjisString& entry : files_.driveEntries()) ui_.listAdd(form5::kDrives, entry);
    const int index = driveIndex(files_.currentFolder("")[0]);
    if (index < 0) raise(err::kNoSuchEntry);
    ui_.setListIndex(form5::kDrives, index);
    driveName_ = driveNameOf(ui_.listItem(form5::kDrives, index));
    lastDriveName_ = driveName_;
    lastDriveIndex_ = index;
    driveChanged();
    ui_.setText(form5::kFolderName, kDefaultFolderName);
  }

  // COMBO1_CHANGE: browse the current folder of the drive chosen. A drive
  // that is not ready brings back the drive browsed before; should that fail
  // as well, the root of drive c.
  void driveChanged() {
    int index = ui_.listIndex(form5::kDrives);
    driveName_ = driveNameOf(ui_.listItem(form5::kDrives, index));
    try {
      enterDriveFolder();
    } catch (const RuntimeError&) {
      ui_.messageBox("", sjis("ドライブの準備ができていません"), Buttons::Ok, Icon::Stop);
      driveName_ = lastDriveName_;
      index = lastDriveIndex_;
      ui_.setListIndex(form5::kDrives, index);
      try {
        enterDriveFolder();
      } catch (const RuntimeError&) {
        driveName_ = "c:";
        index = driveIndex('c');
        ui_.setListIndex(form5::kDrives, index);
        files_.changeFolder("C:\\");
        enterDriveFolder();
      }
    }
    showWorkFolder();
    lastDriveName_ = driveName_;
    lastDriveIndex_ = index;
  }

  // LIST4_CLICK: with CHECK4 checked the clicked folder's name is borrowed
  // for EDIT7 (once); otherwise the clicked folder is entered.
  void folderClicked() {
    const SjisString entry = ui_.listItem(form5::kFolders, ui_.listIndex(form5::kFolders));
    if (entry.size() < 2) return;  // the click took no entry
    const SjisString name = entry.substr(1, entry.size() - 2);
    if (ui_.getCheck(form5::kBorrowName) == 1) {
      ui_.setCheck(form5::kBorrowName, 0);
      ui_.setText(form5::kFolderName, name);
      return;
    }
    files_.changeFolder(workFolder_ + name);
    workFolder_ = files_.currentFolder(driveName_) + "\\";
    showWorkFolder();
  }

  // BUTTON14_ON "決定": creates the base folder; the dialog stays open when
  // EDIT7 is empty or the user declines a numbered name.
  void decide() {
    ui_.eventCode = form5::kDecided;
    const SjisString name = ui_.getText(form5::kFolderName);
    if (name.empty()) {
      ui_.eventCode = 0;
      ui_.setText(form5::kFolderName, kDefaultFolderName);
      return;
    }
    if (onlyDots(name)) {
      // "." and ".." name folders that exist already, and more dots a
      // hidden folder: none of them can be the new folder.
      ui_.eventCode = 0;
      ui_.messageBox(sjis("処理エラー"), sjis("「") + name + sjis("」はフォルダ名に使えません"), Buttons::Ok, Icon::Stop);
      return;
    }
    const std::optional<SjisString> made = makeBaseFolder(ui_, files_, workFolder_, name);
    if (made)
      selectedPath_ = *made;
    else
      ui_.eventCode = 0;
  }

 private:
  static bool onlyDots(const SjisString& name) { return name.find_first_not_of('.') == SjisString::npos; }

  static SjisString driveNameOf(const SjisString& entry) { return SjisString(1, driveLetter(entry)) + ":"; }

  // The COMBO1 entry of a drive letter (either case), or -1.
  int driveIndex(char letter) {
    const int count = ui_.listCount(form5::kDrives);
    for (int i = 0; i < count; ++i) {
      if (std::tolower(static_cast<unsigned char>(driveLetter(ui_.listItem(form5::kDrives, i)))) ==
          std::tolower(static_cast<unsigned char>(letter)))
        return i;
    }
    return -1;
  }

  // The drive's current folder becomes the folder browsed and the process's
  // current folder. At a root the path ends in two backslashes.
  void enterDriveFolder() {
    workFolder_ = files_.currentFolder(driveName_) + "\\";
    files_.changeFolder(workFolder_);
  }

  void showWorkFolder() {
    ui_.setText(form5::kWorkFolder, workFolder_);
    ui_.listClear(form5::kFolders);
    for (const SjisString& entry : files_.folderEntries(workFolder_)) ui_.listAdd(form5::kFolders, entry);
  }

  Ui& ui_;
  TextFiles& files_;
  SjisString workFolder_;  // the folder browsed
  SjisString selectedPath_;
  SjisString driveName_;
  SjisString lastDriveName_;
  int lastDriveIndex_ = 0;
};

}  // namespace

SjisString runFolderDialog(Ui& ui, TextFiles& files, const SjisString& workFolder) {
  // The handlers share the dialog, so they stay valid after it returns; FORM5
  // is hidden by then, and events of a hidden form are dropped.
  auto dialog = std::make_shared<FolderDialog>(ui, files, workFolder);
  ui.setHandler(form5::kDriveChanged, [dialog] { dialog->driveChanged(); });
  ui.setHandler(form5::kFolderClicked, [dialog] { dialog->folderClicked(); });
  ui.setHandler(form5::kDecideHandler, [dialog] { dialog->decide(); });
  dialog->prepare();

  ui.setVisible(form5::kForm, true);
  ui.setTopMost(form5::kForm, true);
  const int16_t code = ui.waitForEvent();
  ui.setVisible(form5::kForm, false);
  return code == form5::kCancelled ? SjisString(kEscMarker) : dialog->selectedPath();
}

}  // namespace headly
