// The native file layer: the one seam between the program and the operating
// system's files. Paths here are native (UTF-8, '/'-separated). Every refusal
// raises a RuntimeError whose code comes from the operating system's error
// through osErrorCode. Tests put a fake or a failing layer in its place.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace headly {

// An open native file. Reads and writes go straight to the system: callers
// read and write in large blocks.
class NativeFile {
 public:
  virtual ~NativeFile() = default;
  // Reads up to n bytes at the current position; 0 at the end.
  virtual size_t read(char* buffer, size_t n) = 0;
  virtual void write(const char* data, size_t n) = 0;
  virtual uint64_t size() = 0;
  virtual void seek(uint64_t position) = 0;
  virtual void truncate(uint64_t size) = 0;
  // Forces the bytes written so far onto the disk (a full disk may show only
  // here); a failure raises.
  virtual void sync() = 0;
  // Lets the system start writing bytes begin..end-1 to the disk now, so
  // that a later sync has less to wait for. Nothing raises here: a write
  // lost meanwhile is reported by sync.
  virtual void startWriteBack(uint64_t begin, uint64_t end) {
    (void)begin;
    (void)end;
  }
  // Flushes and closes; a failure raises.
  virtual void close() = 0;
  // Holds a lock on the file while it is open, so that other processes see
  // it in use; the lock ends with the process, however that ends. Where the
  // file system has no locks, nothing happens.
  virtual void lock() = 0;
  // Gives the file the permission bits of the file at model, and its owner
  // and group as far as the process may set them.
  virtual void matchOwnerAndMode(const std::string& model) = 0;
};

// A folder held open: the names in it are reached through it, never through
// its path again, so that a folder moved away and a link put in its place
// cannot send a file anywhere else.
class NativeFolder {
 public:
  virtual ~NativeFolder() = default;
  // The folder name inside this one, made first when it is missing. A link
  // in its place is refused (error 75); any other entry that is no folder
  // as making the folder would refuse it (error 64).
  virtual std::unique_ptr<NativeFolder> enter(const std::string& name) = 0;
  // Opens the file name inside this one as FileSystem::openForAppending does.
  virtual std::unique_ptr<NativeFile> openForAppending(const std::string& name) = 0;
  // False once the name this folder was entered by, in the folder above it,
  // names something else (the folder moved away, removed or replaced by a
  // link); a folder opened by its path stays in place.
  virtual bool inPlace() = 0;
};

enum class EntryKind { Missing, RegularFile, Folder, Other };

// What tells a file apart from the same file changed: which file a path
// names, its size and the time of its last change.
struct FileStamp {
  uint64_t device = 0, inode = 0, size = 0;
  int64_t modifiedSeconds = 0, modifiedNanoseconds = 0;
  bool operator==(const FileStamp&) const = default;
};

// The longest file or folder name the native file system takes, in bytes of
// its UTF-8 form.
inline constexpr size_t kMaxNativeNameBytes = 255;

struct FolderEntry {
  std::string name;
  bool isFolder;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  virtual std::unique_ptr<NativeFile> openForReading(const std::string& path) = 0;
  // Creates a new file; fails (error 64) when an entry of that name exists.
  virtual std::unique_ptr<NativeFile> createNew(const std::string& path) = 0;
  // Opens for reading and writing, creating the file when it is missing.
  virtual std::unique_ptr<NativeFile> openForAppending(const std::string& path) = 0;
  // The folder at path, held open; a link in its own place is refused
  // (error 75).
  virtual std::unique_ptr<NativeFolder> openFolder(const std::string& path) = 0;
  virtual EntryKind kind(const std::string& path) = 0;
  // The stamp of the file that path names (links followed).
  virtual FileStamp stamp(const std::string& path) = 0;
  virtual void removeFile(const std::string& path) = 0;
  virtual void makeFolder(const std::string& path) = 0;
  // Replaces to by from (both in one folder); to may be missing.
  virtual void rename(const std::string& from, const std::string& to) = 0;
  // The entry that path names once symbolic links are followed to their end:
  // path itself when it is no link; a link whose target is missing gives
  // that target. A link is followed only where the kernel would follow it
  // for this process with its protection of shared folders on: in a sticky
  // folder that every user may write into, only the link's owner and the
  // folder's owner follow it. Any other link is refused (error 75).
  virtual std::string linkTarget(const std::string& path) = 0;
  // False when the permission bits and owner of the file at path keep this
  // process from writing into it (a read-only file).
  virtual bool mayWrite(const std::string& path) = 0;
  // Removes the regular file at path (never a link or anything else) unless
  // a process holds its lock; true when it was removed.
  virtual bool removeUnlocked(const std::string& path) = 0;
  virtual std::vector<FolderEntry> listFolder(const std::string& path) = 0;
  virtual std::string processCurrentFolder() = 0;
  virtual std::string homeFolder() = 0;
};

// The real layer over POSIX calls.
std::unique_ptr<FileSystem> makePosixFileSystem();

// Windows error number that means the same as a POSIX errno, and the
// program's error code for a Windows error number.
int windowsErrorFromErrno(int errnoValue);
int osErrorCode(int windowsError);
// Both steps at once, for a failed system call.
int errorCodeFromErrno(int errnoValue);

}  // namespace headly
