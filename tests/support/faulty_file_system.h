// A native file layer that passes everything to the real one (files opened
// in a held folder included) but lets only a given number of bytes be
// written in all; the write that goes past it fails
// as a full disk does (ENOSPC) after writing what still fitted. A sync, a
// close or a rename can be made to fail with a chosen errno as well. It also
// counts the read calls, so that tests can see that input goes in blocks,
// can make reads short, can change a file while it is read, and can hold
// every write still. Cutting a file back frees its bytes again.
#pragma once

#include <cerrno>
#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "system/file_system.h"
#include "text/runtime_error.h"

namespace headly::test {

class FaultyFileSystem : public FileSystem {
 public:
  // An errno for each step that is to fail; 0 lets it pass.
  struct Faults {
    int sync = 0, close = 0, rename = 0;
  };

  explicit FaultyFileSystem(size_t bytesThatFit) : room_(bytesThatFit) {}
  FaultyFileSystem(size_t bytesThatFit, Faults faults) : room_(bytesThatFit), faults_(faults) {}

  std::unique_ptr<NativeFile> openForReading(const std::string& path) override {
    return wrap(real_->openForReading(path));
  }
  std::unique_ptr<NativeFile> createNew(const std::string& path) override { return wrap(real_->createNew(path)); }
  std::unique_ptr<NativeFile> openForAppending(const std::string& path) override {
    return wrap(real_->openForAppending(path));
  }
  std::unique_ptr<NativeFolder> openFolder(const std::string& path) override {
    return std::make_unique<Folder>(real_->openFolder(path), *this);
  }
  EntryKind kind(const std::string& path) override { return real_->kind(path); }
  FileStamp stamp(const std::string& path) override { return real_->stamp(path); }
  void removeFile(const std::string& path) override { real_->removeFile(path); }
  void makeFolder(const std::string& path) override { real_->makeFolder(path); }
  void rename(const std::string& from, const std::string& to) override {
    if (faults_.rename) raise(errorCodeFromErrno(faults_.rename));
    real_->rename(from, to);
  }
  std::string linkTarget(const std::string& path) override { return real_->linkTarget(path); }
  bool mayWrite(const std::string& path) override { return real_->mayWrite(path); }
  bool removeUnlocked(const std::string& path) override { return real_->removeUnlocked(path); }
  std::vector<FolderEntry> listFolder(const std::string& path) override { return real_->listFolder(path); }
  std::string processCurrentFolder() override { return real_->processCurrentFolder(); }
  std::string homeFolder() override { return real_->homeFolder(); }

  // Runs before every write to a file of this layer: a test can hold the
  // writing still there.
  std::function<void()> onWrite;
  // Runs before every read, with the number of reads made before it: a test
  // can change the file being read there.
  std::function<void(int)> onRead;

  // Number of read calls made on the files of this layer.
  int reads() const { return reads_; }
  // A read gives at most this many bytes (0: as many as asked for), so that
  // the reader meets the end of its block anywhere in a line.
  size_t readLimit = 0;

 private:
  class File : public NativeFile {
   public:
    File(std::unique_ptr<NativeFile> real, FaultyFileSystem& fs) : real_(std::move(real)), fs_(fs) {}
    size_t read(char* buffer, size_t n) override {
      if (fs_.onRead) fs_.onRead(fs_.reads_);
      ++fs_.reads_;
      return real_->read(buffer, fs_.readLimit > 0 && fs_.readLimit < n ? fs_.readLimit : n);
    }
    void write(const char* data, size_t n) override {
      if (fs_.onWrite) fs_.onWrite();
      const size_t fits = n < fs_.room_ ? n : fs_.room_;
      real_->write(data, fits);
      fs_.room_ -= fits;
      if (fits < n) raise(errorCodeFromErrno(ENOSPC));
    }
    uint64_t size() override { return real_->size(); }
    void seek(uint64_t position) override { real_->seek(position); }
    // Cutting a file back gives its bytes back to the disk.
    void truncate(uint64_t size) override {
      const uint64_t before = real_->size();
      real_->truncate(size);
      if (size < before) fs_.room_ += size_t(before - size);
    }
    void sync() override {
      if (fs_.faults_.sync) raise(errorCodeFromErrno(fs_.faults_.sync));
      real_->sync();
    }
    void close() override {
      real_->close();
      if (fs_.faults_.close) raise(errorCodeFromErrno(fs_.faults_.close));
    }
    void lock() override { real_->lock(); }
    void matchOwnerAndMode(const std::string& model) override { real_->matchOwnerAndMode(model); }

   private:
    std::unique_ptr<NativeFile> real_;
    FaultyFileSystem& fs_;
  };

  // The files opened inside a held folder are this layer's files as well.
  class Folder : public NativeFolder {
   public:
    Folder(std::unique_ptr<NativeFolder> real, FaultyFileSystem& fs) : real_(std::move(real)), fs_(fs) {}
    std::unique_ptr<NativeFolder> enter(const std::string& name) override {
      return std::make_unique<Folder>(real_->enter(name), fs_);
    }
    std::unique_ptr<NativeFile> openForAppending(const std::string& name) override {
      return fs_.wrap(real_->openForAppending(name));
    }
    bool inPlace() override { return real_->inPlace(); }

   private:
    std::unique_ptr<NativeFolder> real_;
    FaultyFileSystem& fs_;
  };

  std::unique_ptr<NativeFile> wrap(std::unique_ptr<NativeFile> real) {
    return std::make_unique<File>(std::move(real), *this);
  }

  std::unique_ptr<FileSystem> real_ = makePosixFileSystem();
  size_t room_;
  Faults faults_;
  int reads_ = 0;
};

}  // namespace headly::test
