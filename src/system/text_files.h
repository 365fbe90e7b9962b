// The file-number model through which the program reads its data file and
// writes its output, plus the file and folder operations of the folder
// dialog. Paths are internal paths: Shift-JIS, a drive letter and colon,
// backslash separators, at most 260 bytes. Every failure raises a
// RuntimeError with the program's error code.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "text/sjis_string.h"

namespace headly {

class FileSystem;
class NativeFolder;
class NativeFile;
struct FileStamp;
class Drives;
class Channel;
class LineStore;
struct InputForm;

// How an output file's lines are written: Shift-JIS, or UTF-8 for other
// tools, which has no end mark (they would read 0x1A as a character), either
// bare or after the byte order mark EF BB BF by which spreadsheets tell a
// UTF-8 CSV file from a Shift-JIS one.
enum class OutputEncoding { ShiftJis, Utf8, Utf8WithBom };

// The end of every line written.
inline constexpr std::string_view kLineEnd = "\r\n";

// Output creates a new file and fails (error 64) when the name is taken.
// Replace writes to a temporary file beside the target, which takes the
// target's name at closeFiles once it is complete, with the old file's mode
// and owner; a symbolic link stays and the file it points to is replaced
// (another user's link in a shared sticky folder is refused, error 75). An
// existing target that is not a regular file (a folder, device, FIFO or
// socket) or that the process may not write (read-only) is refused with
// error 75 and left alone. A failed close,
// abandonFiles and a termination signal remove the temporary file, so the
// target keeps what it held before. Append refuses a symbolic link (75); an
// append that fails leaves the file as it was before it, end mark included,
// and one that a termination signal stops leaves its complete lines and the
// end mark.
enum class FileMode { Input, Output, Append, Replace };

class TextFiles {
 public:
  // fs is the native file layer; drives maps drive letters to native roots and
  // holds the current folder of every drive.
  TextFiles(FileSystem& fs, Drives& drives);
  ~TextFiles();
  TextFiles(const TextFiles&) = delete;
  TextFiles& operator=(const TextFiles&) = delete;

  void openFile(const SjisString& name, FileMode mode, int number);
  // Opens a data file for input as form says: lines that end in a bare LF,
  // or the converted text read in the file's place.
  void openInput(const SjisString& name, const InputForm& form, int number);
  // Opens the file nativeName inside a folder held open as FileMode::Append
  // does; path is its internal path.
  void openAppendingIn(NativeFolder& folder, const std::string& nativeName, const SjisString& path, int number);
  // Opens name as FileMode::Replace does, its lines written in encoding.
  void openOutput(const SjisString& name, OutputEncoding encoding, int number);
  // Opens name as FileMode::Replace does for a document that is not text
  // (a PDF): its bytes are written as given, without the end mark.
  void openByteOutput(const SjisString& name, int number);
  // The next line without its line end (CR, CR LF; NUL dropped; a final 0x1A
  // ends the file). Longer than 32,767 bytes: error 15.
  SjisString readLine(int number);
  // The same into line, reusing its storage.
  void readLineInto(int number, SjisString& line);
  // Reads up to maxLines lines as readLine does, each into store, until the
  // end; the number read. A block of the file is read at a time and its
  // lines go to store without another copy.
  uint64_t readLines(int number, LineStore& store, uint64_t maxLines);
  bool atEnd(int number);
  // The size in bytes of the file open for input, for sizing what it is read
  // into.
  uint64_t inputSize(int number);
  void writeLine(int number, std::string_view text);
  // Writes lines, whole lines each ended by kLineEnd, at once.
  void writeLines(int number, std::string_view lines);
  // Writes the bytes of a document opened by openByteOutput.
  void writeBytes(int number, std::string_view bytes);
  // Closes the listed channels (all when empty), ending output files with 0x1A.
  void closeFiles(std::initializer_list<int> numbers = {});
  // Closes every channel and throws away output that is not complete (a
  // Replace channel's temporary file goes, an Append channel ends as
  // FileMode says, an Output file keeps its complete lines without the end
  // mark): used when an error ends the program while a file is open.
  void abandonFiles();

  // The stamp of a file; a file changed, replaced or removed meanwhile has
  // another one.
  FileStamp fileStamp(const SjisString& name);

  bool folderExists(const SjisString& name);
  // True when name is a regular file (not a folder, device, FIFO or socket).
  bool regularFileExists(const SjisString& name);
  void makeFolder(const SjisString& path);
  void changeFolder(const SjisString& path);
  // Full path of the current folder of drive ("" for the current drive, or a
  // letter and a colon): "C:\" at a root, "C:\WORK" below it.
  SjisString currentFolder(const SjisString& drive);
  // Entries of a folder listing: "[name]" for each sub-folder, "[..]" except
  // at a drive root, sorted by their bytes.
  std::vector<SjisString> folderEntries(const SjisString& path);
  // "[-c-]" for each drive, in letter order.
  std::vector<SjisString> driveEntries();
  // Absolute, normal form of a path against the current folder.
  SjisString fullPath(const SjisString& path);

  Drives& drives() { return drives_; }
  FileSystem& fileSystem() { return fs_; }

 private:
  Channel& channel(int number);
  void checkFreeNumber(int number) const;
  void openAppending(SjisString full, std::unique_ptr<NativeFile> file, int number);
  std::unique_ptr<Channel> openReplacement(SjisString full, const std::string& name);
  void removeAbandonedTemporaries(const std::string& folder, const std::string& prefix);
  FileSystem& fs_;
  Drives& drives_;
  std::array<std::unique_ptr<Channel>, 256> channels_;
};

}  // namespace headly
