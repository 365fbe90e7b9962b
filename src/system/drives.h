// Drives and internal paths. Inside the program a path keeps the form the
// user knows: a drive letter and colon, backslash separators, Shift-JIS
// bytes, at most 260 bytes. Drive c is the native root "/", so C:\home\a.csv
// is /home/a.csv; further drives map letters to other native folders. Every
// drive has its own current folder; one drive is the current drive.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "system/file_system.h"
#include "text/sjis_string.h"

namespace headly {

class Drives {
 public:
  // Drive c -> "/"; the current folder is the start folder: the process's
  // current folder, else the home folder, else C:\.
  explicit Drives(FileSystem& fs);

  // The process's current folder (native) when the start folder could not be
  // it: a name without a Shift-JIS form or a path over 260 bytes. Empty when
  // the program starts there.
  const std::string& unnamedStartFolder() const { return unnamedStart_; }

  // Adds (or replaces) a drive; a root that does not exist is a drive that is
  // not ready (error 72 when it is used).
  void addDrive(char letter, const std::string& nativeRoot);
  // Lower-case letters of the drives, in order.
  std::vector<char> letters() const;

  // Absolute normal form against the current folder of the path's drive:
  // "." and ".." resolved (never above the root), doubled backslashes folded.
  // Longer than 260 bytes or invalid: error 55.
  SjisString fullPath(const SjisString& path) const;
  // The native path of an internal path (made absolute first). A drive not in
  // the table: error 72 (not ready when its root is missing); no UTF-8 form:
  // error 55. Each name takes the form in which it exists on disk (〜 U+301C
  // or ～ U+FF5E, ...), else the form Shift-JIS gives back.
  std::string toNative(const SjisString& path) const;
  // What path names on disk, each name taken in the form in which it exists
  // (as toNative finds it): Missing when the path has no native form or its
  // drive is not ready.
  EntryKind kindOnDisk(const SjisString& path) const;
  // The internal form of a native path, through the drive whose root is its
  // longest prefix; nothing when a name has no Shift-JIS form (fromNativeName),
  // or no drive holds it.
  std::optional<SjisString> fromNative(const std::string& nativePath) const;

  // The first name in a native path that has no Shift-JIS form, for the
  // message that refuses the path; empty when every name has one.
  static std::string nameWithoutShiftJis(const std::string& nativePath);

  // Current folder of a drive ("" = current drive), e.g. "C:\" or "C:\WORK".
  SjisString currentFolder(char letter = 0) const;
  // Makes path the current folder of its drive and that drive current; the
  // folder must exist (error 63), its drive must be ready (error 72).
  void changeFolder(const SjisString& path);
  char currentDrive() const { return currentDrive_; }
  // Raises the error of a missing folder (63) or of an entry that is not a
  // folder unless the native path names an existing folder.
  void requireFolder(const std::string& native) const;
  // True when the native path names a folder (a link to one counts); false
  // for anything else and when it cannot be looked at.
  bool isNativeFolder(const std::string& native) const;
  // Raises error 72 when the drive is unknown or its root does not exist.
  void checkReady(char letter) const;

 private:
  std::string existingForm(const std::string& nativeFolder, const std::string& standardName) const;
  FileSystem& fs_;
  std::map<char, std::string> roots_;
  std::map<char, SjisString> currentFolders_;
  char currentDrive_ = 'c';
  std::string unnamedStart_;
};

}  // namespace headly
