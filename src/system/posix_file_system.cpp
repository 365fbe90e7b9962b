// The native file layer over POSIX calls. Every failed call raises the
// program's error code for its errno.
#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <memory>
#include <system_error>
#include <utility>

#include "system/background_sync.h"
#include "system/file_system.h"
#include "text/runtime_error.h"

namespace headly {
namespace {

// The links followed before a path counts as a loop, as the system counts.
constexpr int kMaxLinks = 40;

[[noreturn]] void raiseErrno(int e) { raise(errorCodeFromErrno(e)); }
[[noreturn]] void raiseErrno() { raiseErrno(errno); }

class PosixFile final : public NativeFile {
 public:
  explicit PosixFile(int fd) : fd_(fd) {}
  ~PosixFile() override {
    syncer_.reset();
    if (fd_ >= 0) ::close(fd_);
  }

  size_t read(char* buffer, size_t n) override {
    for (;;) {
      const ssize_t got = ::read(fd_, buffer, n);
      if (got >= 0) return size_t(got);
      if (errno != EINTR) raiseErrno();
    }
  }

  void write(const char* data, size_t n) override {
    while (n > 0) {
      const ssize_t put = ::write(fd_, data, n);
      if (put < 0) {
        if (errno == EINTR) continue;
        raiseErrno();
      }
      data += put;
      n -= size_t(put);
    }
  }

  uint64_t size() override {
    struct stat st;
    if (::fstat(fd_, &st) != 0) raiseErrno();
    return uint64_t(st.st_size);
  }

  void seek(uint64_t position) override {
    if (::lseek(fd_, off_t(position), SEEK_SET) < 0) raiseErrno();
  }

  void truncate(uint64_t size) override {
    if (::ftruncate(fd_, off_t(size)) != 0) raiseErrno();
  }

  void sync() override {
    if (syncer_) {
      const int failed = syncer_->finish();
      syncer_.reset();
      if (failed != 0) raiseErrno(failed);
    }
    while (::fsync(fd_) != 0) {
      if (errno == EINTR) continue;
      // A file system that cannot sync (some special ones) has nothing to force.
      if (errno == EINVAL || errno == EROFS) return;
      raiseErrno();
    }
  }

  void startWriteBack(uint64_t begin, uint64_t end) override {
#ifdef SYNC_FILE_RANGE_WRITE
    (void)::sync_file_range(fd_, off64_t(begin), off64_t(end - begin), SYNC_FILE_RANGE_WRITE);
#else
    (void)begin;
#endif
    // The disk's own cache is emptied every so often on another thread: the
    // sync at the end then waits for the last part only.
    if (end - lastSyncAsked_ < kBackgroundSyncBytes) return;
    lastSyncAsked_ = end;
    try {
      if (!syncer_) syncer_ = std::make_unique<BackgroundSync>(fd_);
      syncer_->request();
    } catch (const std::system_error&) {
      // No thread to be had: the sync at the end does it all.
    }
  }

  void lock() override {
    while (::flock(fd_, LOCK_EX | LOCK_NB) != 0 && errno == EINTR) {
    }
  }

  // Only the permission bits are taken: a set-user-id bit would make a file
  // of this process run as its owner. A file system without owners or modes
  // (FAT) refuses and keeps its own.
  void matchOwnerAndMode(const std::string& model) override {
    struct stat st;
    if (::stat(model.c_str(), &st) != 0) raiseErrno();
    if (::fchown(fd_, st.st_uid, st.st_gid) != 0) (void)::fchown(fd_, uid_t(-1), st.st_gid);
    if (::fchmod(fd_, st.st_mode & 0777) != 0 && errno != EPERM && errno != EOPNOTSUPP) raiseErrno();
  }

  void close() override {
    syncer_.reset();
    const int fd = fd_;
    fd_ = -1;
    if (fd >= 0 && ::close(fd) != 0 && errno != EINTR) raiseErrno();
  }

 private:
  static constexpr uint64_t kBackgroundSyncBytes = 16 * 1024 * 1024;

  int fd_;
  uint64_t lastSyncAsked_ = 0;
  std::unique_ptr<BackgroundSync> syncer_;
};

// Opens path; only regular files are accepted (a folder is refused as
// EISDIR, a device, FIFO or socket as EACCES). O_NONBLOCK keeps a FIFO from
// blocking the open; it is cleared again for the regular file.
std::unique_ptr<NativeFile> openRegular(const std::string& path, int flags, int folderFd = AT_FDCWD) {
  int fd;
  do fd = ::openat(folderFd, path.c_str(), flags | O_CLOEXEC | O_NONBLOCK, 0666);
  while (fd < 0 && errno == EINTR);
  if (fd < 0) raiseErrno();
  auto file = std::make_unique<PosixFile>(fd);
  struct stat st;
  if (::fstat(fd, &st) != 0) raiseErrno();
  if (S_ISDIR(st.st_mode)) raiseErrno(EISDIR);
  if (!S_ISREG(st.st_mode)) raiseErrno(EACCES);
  if (::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) raiseErrno();
  return file;
}

// The kernel's rule for a link in a sticky folder that every user may write
// into (fs.protected_symlinks): only the link's owner and the folder's owner
// follow it. A folder that cannot be looked at leaves the decision to the
// kernel.
bool followedInItsFolder(const std::string& link, const struct stat& linkStat) {
  const size_t slash = link.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : link.substr(0, slash);
  struct stat st;
  if (::stat(folder.c_str(), &st) != 0) return true;
  const bool shared = (st.st_mode & S_ISVTX) && (st.st_mode & S_IWOTH);
  return !shared || linkStat.st_uid == ::geteuid() || linkStat.st_uid == st.st_uid;
}

// A symbolic link in the file's place is refused (error 75) rather than
// followed to wherever it points, and so is a socket (which no open takes).
std::unique_ptr<NativeFile> openAppending(const std::string& path, int folderFd = AT_FDCWD) {
  try {
    return openRegular(path, O_RDWR | O_CREAT | O_NOFOLLOW, folderFd);
  } catch (const RuntimeError&) {
    struct stat st;
    if (::fstatat(folderFd, path.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0 && !S_ISREG(st.st_mode)) raiseErrno(EACCES);
    throw;
  }
}

// Opens a folder without following a link in its own place (error 75; the
// system says ELOOP or, as the link is no folder, ENOTDIR).
int openFolderAt(int folderFd, const std::string& path) {
  int fd;
  do fd = ::openat(folderFd, path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  while (fd < 0 && errno == EINTR);
  if (fd < 0) raiseErrno(errno == ELOOP || errno == ENOTDIR ? EACCES : errno);
  return fd;
}

class PosixFolder final : public NativeFolder {
 public:
  // parentFd and name: where the folder was entered from (-1: by its path).
  PosixFolder(int fd, int parentFd, std::string name) : fd_(fd), parentFd_(parentFd), name_(std::move(name)) {}
  ~PosixFolder() override {
    ::close(fd_);
    if (parentFd_ >= 0) ::close(parentFd_);
  }

  std::unique_ptr<NativeFolder> enter(const std::string& name) override {
    struct stat st;
    if (::fstatat(fd_, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) {
      if (errno != ENOENT) raiseErrno();
      if (::mkdirat(fd_, name.c_str(), 0777) != 0) raiseErrno();
    } else if (S_ISLNK(st.st_mode)) {
      raiseErrno(EACCES);
    } else if (!S_ISDIR(st.st_mode)) {
      raiseErrno(EEXIST);
    }
    const int fd = openFolderAt(fd_, name);
    const int parentFd = ::fcntl(fd_, F_DUPFD_CLOEXEC, 0);
    if (parentFd < 0) {
      const int e = errno;
      ::close(fd);
      raiseErrno(e);
    }
    return std::make_unique<PosixFolder>(fd, parentFd, name);
  }

  std::unique_ptr<NativeFile> openForAppending(const std::string& name) override { return openAppending(name, fd_); }

  bool inPlace() override {
    if (parentFd_ < 0) return true;
    struct stat held, named;
    return ::fstat(fd_, &held) == 0 && ::fstatat(parentFd_, name_.c_str(), &named, AT_SYMLINK_NOFOLLOW) == 0 &&
           held.st_dev == named.st_dev && held.st_ino == named.st_ino;
  }

 private:
  int fd_, parentFd_;
  std::string name_;
};

class PosixFileSystem final : public FileSystem {
 public:
  std::unique_ptr<NativeFile> openForReading(const std::string& path) override {
    return openRegular(path, O_RDONLY);
  }

  std::unique_ptr<NativeFile> createNew(const std::string& path) override {
    return openRegular(path, O_WRONLY | O_CREAT | O_EXCL);
  }

  std::unique_ptr<NativeFile> openForAppending(const std::string& path) override { return openAppending(path); }

  std::unique_ptr<NativeFolder> openFolder(const std::string& path) override {
    return std::make_unique<PosixFolder>(openFolderAt(AT_FDCWD, path), -1, std::string());
  }

  EntryKind kind(const std::string& path) override {
    struct stat st;
    if (::stat(path.c_str(), &st) != 0) {
      if (errno == ENOENT || errno == ENOTDIR || errno == ENAMETOOLONG || errno == ELOOP)
        return EntryKind::Missing;
      raiseErrno();
    }
    if (S_ISREG(st.st_mode)) return EntryKind::RegularFile;
    if (S_ISDIR(st.st_mode)) return EntryKind::Folder;
    return EntryKind::Other;
  }

  FileStamp stamp(const std::string& path) override {
    struct stat st;
    if (::stat(path.c_str(), &st) != 0) raiseErrno();
    return {uint64_t(st.st_dev), uint64_t(st.st_ino), uint64_t(st.st_size), int64_t(st.st_mtim.tv_sec),
            int64_t(st.st_mtim.tv_nsec)};
  }

  // A symbolic link is removed itself; anything that is not a regular file
  // or a link is refused and left alone.
  void removeFile(const std::string& path) override {
    struct stat st;
    if (::lstat(path.c_str(), &st) != 0) raiseErrno();
    if (S_ISDIR(st.st_mode)) raiseErrno(EISDIR);
    if (!S_ISREG(st.st_mode) && !S_ISLNK(st.st_mode)) raiseErrno(EACCES);
    if (::unlink(path.c_str()) != 0) raiseErrno();
  }

  void makeFolder(const std::string& path) override {
    if (::mkdir(path.c_str(), 0777) != 0) raiseErrno();
  }

  void rename(const std::string& from, const std::string& to) override {
    if (::rename(from.c_str(), to.c_str()) != 0) raiseErrno();
  }

  std::string linkTarget(const std::string& path) override {
    std::string current = path;
    for (int hop = 0; hop < kMaxLinks; ++hop) {
      struct stat st;
      if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return current;
      if (!followedInItsFolder(current, st)) raiseErrno(EACCES);
      char target[4096];
      const ssize_t n = ::readlink(current.c_str(), target, sizeof target);
      if (n < 0) raiseErrno();
      if (size_t(n) == sizeof target) raiseErrno(ENAMETOOLONG);
      const std::string next(target, size_t(n));
      current = next[0] == '/' ? next : current.substr(0, current.rfind('/') + 1) + next;
    }
    raiseErrno(ELOOP);
  }

  bool mayWrite(const std::string& path) override {
    return ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0 || (errno != EACCES && errno != EPERM);
  }

  bool removeUnlocked(const std::string& path) override {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat st;
    const bool removed = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0 &&
                         ::unlink(path.c_str()) == 0;
    ::close(fd);
    return removed;
  }

  std::vector<FolderEntry> listFolder(const std::string& path) override {
    DIR* dir = ::opendir(path.c_str());
    if (!dir) raiseErrno();
    std::vector<FolderEntry> entries;
    const std::string prefix = path.empty() || path.back() == '/' ? path : path + '/';
    errno = 0;
    while (const dirent* e = ::readdir(dir)) {
      const std::string name = e->d_name;
      if (name == "." || name == "..") continue;
      bool isFolder = e->d_type == DT_DIR;
      if (e->d_type == DT_UNKNOWN || e->d_type == DT_LNK) {
        struct stat st;
        isFolder = ::stat((prefix + name).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
      }
      entries.push_back({name, isFolder});
      errno = 0;
    }
    const int readError = errno;
    ::closedir(dir);
    if (readError != 0) raiseErrno(readError);
    return entries;
  }

  std::string processCurrentFolder() override {
    std::string buffer(4096, '\0');
    for (;;) {
      if (::getcwd(buffer.data(), buffer.size())) return buffer.c_str();
      if (errno != ERANGE) return {};
      buffer.resize(buffer.size() * 2);
    }
  }

  std::string homeFolder() override {
    if (const char* home = std::getenv("HOME"); home && *home) return home;
    if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir) return pw->pw_dir;
    return {};
  }
};

}  // namespace

std::unique_ptr<FileSystem> makePosixFileSystem() { return std::make_unique<PosixFileSystem>(); }

}  // namespace headly
