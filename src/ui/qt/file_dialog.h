// The open and save dialogs: Qt's own file dialog (never the desktop's, whose
// filter syntax differs), showing the program's filter entries as they
// stand and listing the files that match the selected entry's patterns by
// the program's own case-insensitive test. A name holding "*" or "?" filters
// the list and is never taken as the result. The result is the chosen file
// in the program's path form; a file that has no such form, or whose path is
// too long, is refused with a message and the dialog stays open. The side
// bar lists the user's folders (home, desktop, documents, downloads) that
// exist. A file dropped on the dialog is proposed: the dialog goes to its
// folder and puts its name into the name field, and the user confirms it.
#pragma once

#include <QFileDialog>

#include "text/sjis_string.h"
#include "ui/backend.h"

class QLineEdit;

namespace headly {

class Drives;
class ModalRunner;
class PatternFilterModel;

class FileDialog : public QFileDialog {
 public:
  FileDialog(QWidget* owner, const FileDialogRequest& request, const QString& nativeFolder, Drives& drives,
             ModalRunner& modals);
  // The chosen path, valid once the dialog was accepted.
  const SjisString& chosen() const { return chosen_; }
  // The filter entry selected (0 = the first).
  int chosenFilter() const;
  QLineEdit* nameField() const;
  // Goes to the folder of a native file path and puts its name into the name
  // field (a folder is entered); a path whose folder does not exist changes
  // nothing.
  void propose(const QString& nativeFile);
  // OK, Enter or a double click on a file.
  void accept() override;

 private:
  void watchDrops();
  void fitDetailColumns();
  void warn(const QString& text);
  bool confirm(const QString& text);

  FileDialogRequest request_;
  Drives& drives_;
  ModalRunner& modals_;
  PatternFilterModel* filterModel_;
  SjisString chosen_;
};

}  // namespace headly
